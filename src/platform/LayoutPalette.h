// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPalette>

class QWidget;

// The windows are laid out with fixed colours (navy, yellow, red, green, silver) chosen for a
// light window face. A dark desktop scheme would put them, and every text in a theme colour, on
// dark backgrounds, so each laid-out window carries this complete light palette of its own: every
// role of every colour group is set, so nothing is inherited from the desktop, also not when the
// desktop changes its scheme while the program runs. Message boxes and the save dialog are not
// laid out here and keep the desktop's palette.
namespace LayoutPalette {

QPalette light();

// Gives the window the light palette; its children inherit it, and the glyphs of its buttons
// are greyed against it when disabled. Call right after setupUi, before any code reads a colour
// of the window.
void apply(QWidget* window);

} // namespace LayoutPalette
