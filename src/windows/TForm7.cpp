// SPDX-License-Identifier: GPL-3.0-or-later
#include "TForm7.h"

#include "Fonts.h"
#include "LayoutPalette.h"
#include "RunHandler.h"

#include <QTimer>

TForm7::TForm7(QWidget* parent) : ModalWindow(Closing::OnlyByItsCommand, parent)
{
    setupUi(this);
    LayoutPalette::apply(this);
    setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint);
    setAttribute(Qt::WA_QuitOnClose, false);
    Fonts::applyPixelSizes(this);
    setFixedSize(469, 313);

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(1500);
    Timer1->setSingleShot(true);
    // A coarse timer may fire up to 5 % early; the splash stands its full time.
    Timer1->setTimerType(Qt::PreciseTimer);
    connect(Timer1, &QTimer::timeout, this, [this] { runHandler([this] { Timer1Timer(); }); });
    Timer1->start();
}

void TForm7::Timer1Timer()
{
    Timer1->stop();
    hide();
}

int TForm7::exec()
{
    if (!Timer1->isActive())
        return result();
    return ModalWindow::exec();
}

