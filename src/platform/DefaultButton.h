// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <initializer_list>

class QPushButton;
class QRadioButton;
class QWidget;

// Enter and Return press the window's default button, as in a dialog, also in windows that are
// not dialogs; while another push button has the focus, Enter presses that one instead. An Enter
// that a control takes for itself, such as choosing an item in a list's open popup, does nothing
// more.
void installDefaultButton(QWidget* window, QPushButton* button);

// As in any radio group, Tab stops only at the checked button and the arrow keys move the choice.
void makeOneTabStop(std::initializer_list<QRadioButton*> group);
