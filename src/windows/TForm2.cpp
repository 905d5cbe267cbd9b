// SPDX-License-Identifier: GPL-3.0-or-later
#include "windows/TForm2.h"

#include "files/TextFile.h"
#include "platform/Fonts.h"
#include "platform/ProgramInfo.h"
#include "platform/RunHandler.h"
#include "platform/WindowSetup.h"
#include "windows/ButtonPanel.h"
#include "windows/MemoLines.h"

namespace {

// What the memo says until "about.ktd" has been read, and after it failed to be.
QStringList builtInLines()
{
    QStringList stars;
    for (int i = 0; i < 24; ++i)
        stars << QStringLiteral("*");
    return {
        QStringLiteral("KARTÁK 2 - Program pro snadné vytváření osobního deníku do DrD  "),
        QString(),
        QStringLiteral("Autor: %1 (%2)").arg(ProgramInfo::AuthorName, ProgramInfo::AuthorEmail),
        QStringLiteral("Web:  ") + ProgramInfo::AuthorWeb,
        QString(),
        stars.join(QStringLiteral("    ")),
        QStringLiteral("Chyba - Soubor 'about.ktd' nenalezen, nemohu načíst externí data!"),
    };
}

} // namespace

TForm2::TForm2(QWidget* parent) : ModalWindow(Closing::ByTitleBarToo, parent)
{
    Fonts::useDrawnFonts(this);
    setupUi(this);
    // A fixed single border with the system menu and its close button only.
    setUpWindow(this, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                          Qt::MSWindowsFixedSizeDialogHint);

    // The text lies flat on the window, on the button-face colour.
    QPalette memoPalette = Memo1->palette();
    memoPalette.setColor(QPalette::Base, memoPalette.color(QPalette::Button));
    Memo1->setPalette(memoPalette);
    MemoLines::fill(Memo1, builtInLines());

    connect(Panel1, &ButtonPanel::clicked, this, [this] { Panel1Click(); });
}

void TForm2::FormCreate()
{
    MemoLines::fill(Memo1, TextFile::loadLines(QStringLiteral("about.ktd")));
}

void TForm2::Panel1Click()
{
    runHandler([this] { hide(); });
}
