// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QWidget;

// Windows open centred on the screen the first time they are shown; after that they stay where
// the user put them.
void placeCentredOnce(QWidget* window);

// Shows a window without blocking, or brings it to the front when it is already shown.
void showOrRaise(QWidget* window);
