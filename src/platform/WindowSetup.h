// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <Qt>

class QWidget;

enum class WindowRole {
    MainMenu,  // closing it ends the program
    Secondary, // closing it only hides it
};

// Finishes a window that setupUi() has just laid out: our palette, the frame's flags, the fonts
// in pixel sizes and the size the form was drawn with in Designer, fixed, so the form is the one
// source of every window's size.
void setUpWindow(QWidget* window, Qt::WindowFlags flags, WindowRole role = WindowRole::Secondary);
