// SPDX-License-Identifier: GPL-3.0-or-later
#include "windows/TForm4.h"

#include "platform/Fonts.h"
#include "platform/RunHandler.h"
#include "platform/WindowPlacement.h"
#include "platform/WindowSetup.h"

TForm4::TForm4(QWidget* parent) : QWidget(parent)
{
    Fonts::useDrawnFonts(this);
    setupUi(this);
    // A dialog, so that X11 window managers too keep it above the character window that opens it.
    setUpWindow(this, Qt::Dialog | Qt::FramelessWindowHint);

    connect(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });
}

void TForm4::Button1Click()
{
    runHandler([this] { hide(); });
}

void TForm4::setVisible(bool visible)
{
    if (visible)
        placeCentredOnce(this);
    QWidget::setVisible(visible);
}
