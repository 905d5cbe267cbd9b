// SPDX-License-Identifier: GPL-3.0-or-later
#include "TForm4.h"

#include "Fonts.h"
#include "LayoutPalette.h"
#include "RunHandler.h"
#include "WindowPlacement.h"

TForm4::TForm4(QWidget* parent) : QWidget(parent)
{
    setupUi(this);
    LayoutPalette::apply(this);
    // A dialog, so that X11 window managers too keep it above the character window that opens it.
    setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint);
    setAttribute(Qt::WA_QuitOnClose, false);
    Fonts::applyPixelSizes(this);
    setFixedSize(301, 149);

    connect(Button1, &QPushButton::clicked, this,
            [this] { runHandler([this] { Button1Click(); }); });
}

void TForm4::Button1Click()
{
    hide();
}

void TForm4::setVisible(bool visible)
{
    if (visible)
        placeCentredOnce(this);
    QWidget::setVisible(visible);
}
