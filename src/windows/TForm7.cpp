// SPDX-License-Identifier: GPL-3.0-or-later
#include "windows/TForm7.h"

#include "platform/RunHandler.h"
#include "platform/WindowSetup.h"

#include <QTimer>

TForm7::TForm7(QWidget* parent) : ModalWindow(Closing::OnlyByItsCommand, parent)
{
    setupUi(this);
    setUpWindow(this, Qt::Dialog | Qt::FramelessWindowHint);

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(1500);
    Timer1->setSingleShot(true);
    // A coarse timer may fire up to 5 % early; the splash stands its full time.
    Timer1->setTimerType(Qt::PreciseTimer);
    connect(Timer1, &QTimer::timeout, this, [this] { Timer1Timer(); });
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
    return ModalWindow::exec();
}
