// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui_TForm7.h"

#include "platform/ModalWindow.h"

class QTimer;

// The splash window: the program's name and a request to wait, with the hourglass pointer over
// it. Its timer starts when the window is created; start-up shows it with exec(), and the timer's
// tick about 1500 ms later hides it, which ends exec(). Nothing else closes it.
class TForm7 : public ModalWindow, public Ui::TForm7
{
    Q_OBJECT
public:
    explicit TForm7(QWidget* parent = nullptr);

    // Single shot, 1500 ms, started by the constructor.
    QTimer* Timer1 = nullptr;

    void Timer1Timer();

    // Blocks until the timer has hidden the splash. Once the timer has ticked there is nothing
    // left to wait for, so it then returns at once rather than showing a splash nothing closes.
    int exec() override;

signals:
    // Once, just after the splash has first painted itself, which is after it is on the screen.
    void firstPainted();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void showPointer(bool waiting);

    bool m_painted = false;
};
