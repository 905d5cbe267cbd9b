// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/Startup.h"

#include "app/Forms.h"
#include "app/TForm1.h"
#include "character/TForm3.h"
#include "character/TForm5.h"
#include "platform/Accessibility.h"
#include "platform/Artwork.h"
#include "platform/Fonts.h"
#include "platform/RunHandler.h"
#include "platform/SoundPlayer.h"
#include "platform/WindowFontScope.h"
#include "platform/WindowPlacement.h"
#include "windows/TForm2.h"
#include "windows/TForm4.h"
#include "windows/TForm6.h"
#include "windows/TForm7.h"

#include <QApplication>
#include <QIcon>
#include <QLibraryInfo>
#include <QTranslator>

#include <utility>

TForm1* Form1 = nullptr;
TForm2* Form2 = nullptr;
TForm3* Form3 = nullptr;
TForm4* Form4 = nullptr;
TForm5* Form5 = nullptr;
TForm6* Form6 = nullptr;
TForm7* Form7 = nullptr;

void prepareApplication(QApplication& app)
{
    // The laid-out windows name their fonts; the application keeps the desktop's font for the
    // message boxes, the save dialog and the hints.
    Fonts::installSubstitutions();
    Accessibility::install();
    // Qt's own texts (the save dialog's buttons and labels) in Czech, where Qt's translations
    // are installed.
    auto* qtTexts = new QTranslator(&app);
    if (qtTexts->load(QStringLiteral("qtbase_cs"),
                      QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(qtTexts);
    // The windows have one size each; none is ever maximised.
    keepFixedWindowsUnmaximised(&app);
    // The main window decides when the program ends, not the last window closed.
    app.setQuitOnLastWindowClosed(false);
}

namespace {

// A window made in the windows' own font: its text edits lay out their first, empty line in a
// font the windows draw with anyway, not in the desktop's. The creation handlers run outside,
// so a box they show is in the desktop's font.
template <class Window> Window* made()
{
    const WindowFontScope windowFont;
    return new Window;
}

} // namespace

void createForms()
{
    Form1 = made<TForm1>();
    runHandler([] { Form1->FormCreate(); });
    Form2 = made<TForm2>();
    runHandler([] { Form2->FormCreate(); });
    Form3 = made<TForm3>();
    runHandler([] { Form3->FormCreate(); });
    Form4 = made<TForm4>();
    Form5 = made<TForm5>();
    Form6 = made<TForm6>();
    Form7 = made<TForm7>(); // its timer starts counting now

    Form1->setWindows(Form2, Form3, Form6);
    Form3->setNoticeWindow(Form4);
    Form3->setTipWindow(Form5);
    // A secondary window stays above the window that opens it, so a click on the blocked main
    // menu never buries About or the beta notes behind it. The character window is no such
    // window: it is the program's working window, beside the menu, and the user may bring either
    // to the front ("&Generovat" brings it back), so it has no owner.
    setOwner(Form2, Form1);
    setOwner(Form6, Form1);
    setOwner(Form4, Form3);
    setOwner(Form5, Form3);
}

namespace {

bool g_preparedAfterSplash = false;

} // namespace

void prepareAfterSplash()
{
    if (std::exchange(g_preparedAfterSplash, true))
        return;
    // The main menu, About and the character window show the application icon in their frames;
    // the splash, which has none, need not wait for its sizes to be decoded.
    QApplication::setWindowIcon(Artwork::applicationIcon());
    // The first sound is far off: the player is busy with the splash and then the menu.
    SoundPlayer::prepareOutput();
    // The windows were made without the desktop's font; the hints, the boxes and the save dialog
    // draw in it.
    Fonts::loadDesktopFont();
}

void showSplash()
{
    // Every widget made asks to be polished at the event loop's first turn, which is the
    // splash's, before it can be put up. The windows behind the splash are polished when they
    // are first shown or measured, as every widget is; the splash itself when it shows.
    QCoreApplication::removePostedEvents(nullptr, QEvent::PolishRequest);
    QObject::connect(Form7, &TForm7::firstPainted, &prepareAfterSplash);
    Form7->exec();
    // A splash that never painted (its timer ran out before) leaves the work to be done here.
    prepareAfterSplash();
}

int runMainLoop(QApplication& app)
{
    placeCentredOnce(Form1);
    Form1->show();
    const int result = app.exec();
    destroyForms();
    return result;
}

void destroyForms()
{
    delete Form7;
    delete Form6;
    delete Form5;
    delete Form4;
    delete Form3;
    delete Form2;
    delete Form1;
    Form1 = nullptr;
    Form2 = nullptr;
    Form3 = nullptr;
    Form4 = nullptr;
    Form5 = nullptr;
    Form6 = nullptr;
    Form7 = nullptr;
}
