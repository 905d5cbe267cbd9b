// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/WindowSetup.h"

#include "platform/Fonts.h"
#include "platform/LayoutPalette.h"

#include <QWidget>

void setUpWindow(QWidget* window, Qt::WindowFlags flags, WindowRole role)
{
    // setupUi() resized the window to the form's geometry; nothing after it may change that.
    const QSize formSize = window->size();
    LayoutPalette::apply(window);
    window->setWindowFlags(flags);
    window->setAttribute(Qt::WA_QuitOnClose, role == WindowRole::MainMenu);
    Fonts::applyPixelSizes(window);
    window->setFixedSize(formSize);
}
