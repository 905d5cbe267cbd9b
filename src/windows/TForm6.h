// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui_TForm6.h"

#include "platform/ModalWindow.h"

// The information window with the beta notes. Its caller fills the memo with setLines() and
// shows it modally with exec(). It has no close button: only "OK" hides it, and the notes stay
// in the memo until the next filling.
class TForm6 : public ModalWindow, public Ui::TForm6
{
    Q_OBJECT
public:
    explicit TForm6(QWidget* parent = nullptr);

    // Replaces the memo's text with the lines; works while the window is hidden.
    void setLines(const QStringList& lines);

    void Button1Click();
};
