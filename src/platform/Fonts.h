// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class QFont;
class QWidget;

// The layouts are drawn for MS Sans Serif, Arial CE and Courier New CE, which Linux lacks.
// The forms name those faces and their point sizes; these helpers map them to free faces of
// similar metrics at the pixel heights the layouts were made for (8 pt = 11 px, 9 pt = 12 px,
// 10 pt = 13 px, 12 pt = 16 px, 14 pt = 19 px).
namespace Fonts {

// Once per process, before any window is created: finds the installed stand-ins.
void installSubstitutions();

// From before the window's form is set up: every font set in it is at once the font it is drawn
// in (the installed stand-in of the face the form names, at its pixel size; the window's own
// font complete), before anything is laid out in the font as the form names it.
void useDrawnFonts(QWidget* window);

// The installed face that stands in for a face the forms name; any other face unchanged.
QString installedFamily(const QString& family);

// Turns every font in the window and its children that is not yet drawn as it should be (a
// window set up without useDrawnFonts) into the font it is drawn in. The window's own font
// becomes complete: the form's family, size, weight and style, and the plain defaults for the
// rest, so nothing of the desktop's font reaches the layout.
void applyPixelSizes(QWidget* window);

// The requested font at its pixel size with every other attribute at its default, all of them
// set, so that widgets inheriting it take nothing from the application font.
QFont completeFont(const QFont& requested);

int pixelSizeForPoints(int points);

// Loads the desktop's font, the application font, which the boxes, the hints and the save
// dialog draw in, so that the first of them does not wait for it.
void loadDesktopFont();

// The font the forms give their windows, MS Sans Serif 8 pt, as it is drawn: complete.
QFont windowFont();

// How wide the forms' "Arial Narrow" is drawn, in percent of the sans face's width: a little
// under the narrow face's 82 %, so the longest weapon name keeps a pixel or two to spare
// whatever the hinting rounds.
constexpr int NarrowStretch = 80;

} // namespace Fonts
