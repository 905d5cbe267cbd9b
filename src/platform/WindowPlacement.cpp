// SPDX-License-Identifier: GPL-3.0-or-later
#include "WindowPlacement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QStyle>
#include <QWidget>

void placeCentredOnce(QWidget* window)
{
    static const char* const placed = "kartakPlaced";
    if (window->property(placed).toBool())
        return;
    window->setProperty(placed, true);
    const QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    window->ensurePolished();
    const QSize frame = window->frameGeometry().size().expandedTo(window->size());
    const QRect area = screen->availableGeometry();
    window->move(area.center() - QPoint(frame.width() / 2, frame.height() / 2));
}

void showOrRaise(QWidget* window)
{
    placeCentredOnce(window);
    window->show();
    window->raise();
    window->activateWindow();
}
