// SPDX-License-Identifier: GPL-3.0-or-later
#include "TForm6.h"

#include "Fonts.h"
#include "LayoutPalette.h"
#include "MemoLines.h"
#include "RunHandler.h"


TForm6::TForm6(QWidget* parent) : ModalWindow(Closing::OnlyByItsCommand, parent)
{
    setupUi(this);
    LayoutPalette::apply(this);
    // A fixed dialog frame with a title but no buttons in it, not even close.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::MSWindowsFixedSizeDialogHint);
    setAttribute(Qt::WA_QuitOnClose, false);
    Fonts::applyPixelSizes(this);
    setFixedSize(608, 308);

    connect(Button1, &QPushButton::clicked, this,
            [this] { runHandler([this] { Button1Click(); }); });
}

void TForm6::setLines(const QStringList& lines)
{
    MemoLines::fill(Memo1, lines);
}

void TForm6::Button1Click()
{
    hide();
}

