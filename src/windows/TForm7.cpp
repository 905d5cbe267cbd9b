// SPDX-License-Identifier: GPL-3.0-or-later
#include "windows/TForm7.h"

#include "platform/Fonts.h"
#include "platform/RunHandler.h"
#include "platform/WindowSetup.h"

#include <QTimer>

#include <utility>

TForm7::TForm7(QWidget* parent) : ModalWindow(Closing::OnlyByItsCommand, parent)
{
    Fonts::useDrawnFonts(this);
    setupUi(this);
    setUpWindow(this, Qt::Dialog | Qt::FramelessWindowHint);

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(1500);
    Timer1->setSingleShot(true);
    // A coarse timer may fire up to 5 % early; the splash stands its full time.
    Timer1->setTimerType(Qt::PreciseTimer);
    connect(Timer1, &QTimer::timeout, this, [this] { Timer1Timer(); });
    connect(this, &TForm7::firstPainted, this, [this] { showPointer(true); });
    Timer1->start();
}

void TForm7::Timer1Timer()
{
    runHandler([this] {
        Timer1->stop();
        hide();
    });
}

int TForm7::exec()
{
    if (!Timer1->isActive())
        return result();
    // The hourglass is read from the pointer theme when a window first shows it, which holds
    // the window's first showing back by a few milliseconds: the splash is up first and takes
    // the hourglass as soon as it has painted.
    if (!m_painted)
        showPointer(false);
    const int shown = ModalWindow::exec();
    showPointer(true);
    return shown;
}

void TForm7::paintEvent(QPaintEvent* event)
{
    ModalWindow::paintEvent(event);
    // Queued, so that the painted splash reaches the screen first.
    if (!std::exchange(m_painted, true))
        QTimer::singleShot(0, this, &TForm7::firstPainted);
}

void TForm7::showPointer(bool waiting)
{
    for (QWidget* widget : {static_cast<QWidget*>(this), static_cast<QWidget*>(Shape1)}) {
        if (waiting)
            widget->setCursor(Qt::WaitCursor);
        else
            widget->unsetCursor();
    }
}
