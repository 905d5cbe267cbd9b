// SPDX-License-Identifier: GPL-3.0-or-later
#include "windows/TForm6.h"

#include "platform/Fonts.h"
#include "platform/RunHandler.h"
#include "platform/WindowSetup.h"
#include "windows/MemoLines.h"

TForm6::TForm6(QWidget* parent) : ModalWindow(Closing::OnlyByItsCommand, parent)
{
    Fonts::useDrawnFonts(this);
    setupUi(this);
    // A fixed dialog frame with a title but no buttons in it, not even close.
    setUpWindow(this, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::MSWindowsFixedSizeDialogHint);

    connect(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });
}

void TForm6::setLines(const QStringList& lines)
{
    MemoLines::fill(Memo1, lines);
}

void TForm6::Button1Click()
{
    runHandler([this] { hide(); });
}
