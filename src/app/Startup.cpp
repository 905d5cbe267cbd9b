#include "Startup.h"

#include "Accessibility.h"
#include "Fonts.h"
#include "Forms.h"
#include "RunHandler.h"
#include "TForm1.h"
#include "TForm2.h"
#include "TForm3.h"
#include "TForm4.h"
#include "TForm5.h"
#include "TForm6.h"
#include "TForm7.h"
#include "WindowPlacement.h"

#include <QApplication>
#include <QFont>
#include <QIcon>
#include <QLibraryInfo>
#include <QTranslator>

TForm1* Form1 = nullptr;
TForm2* Form2 = nullptr;
TForm3* Form3 = nullptr;
TForm4* Form4 = nullptr;
TForm5* Form5 = nullptr;
TForm6* Form6 = nullptr;
TForm7* Form7 = nullptr;

void prepareApplication(QApplication& app)
{
    Fonts::installSubstitutions();
    Accessibility::install();
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPixelSize(Fonts::pixelSizeForPoints(8));
    QApplication::setFont(font);
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/art/app.png")));
    // Qt's own texts (the save dialog's buttons and labels) in Czech, where Qt's translations
    // are installed.
    auto* qtTexts = new QTranslator(&app);
    if (qtTexts->load(QStringLiteral("qtbase_cs"),
                      QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(qtTexts);
    // The main window decides when the program ends, not the last window closed.
    app.setQuitOnLastWindowClosed(false);
}

void createForms()
{
    Form1 = new TForm1;
    runHandler([] { Form1->FormCreate(); });
    Form2 = new TForm2;
    runHandler([] { Form2->FormCreate(); });
    Form3 = new TForm3;
    runHandler([] { Form3->FormCreate(); });
    Form4 = new TForm4;
    Form5 = new TForm5;
    Form6 = new TForm6;
    Form7 = new TForm7; // its timer starts counting now

    Form1->setWindows(Form2, Form3, Form6);
    Form3->setNoticeWindow(Form4);
    Form3->setTipWindow(Form5);
}

void showSplash()
{
    Form7->exec();
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
