// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QWidget;

// The layouts are drawn for MS Sans Serif, Arial CE and Courier New CE, which Linux lacks.
// The forms name those faces and their point sizes; these helpers map them to free faces of
// similar metrics at the pixel heights the layouts were made for (8 pt = 11 px, 9 pt = 12 px,
// 10 pt = 13 px, 12 pt = 16 px, 14 pt = 19 px).
namespace Fonts {

// Once per process, before any window is created.
void installSubstitutions();

// Turns every point-sized font in the window and its children into the matching pixel size.
void applyPixelSizes(QWidget* window);

int pixelSizeForPoints(int points);
} // namespace Fonts
