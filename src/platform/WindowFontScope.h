// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFont>

// For as long as it lives, the application font is the font the windows are drawn in; then the
// desktop's font again. Qt makes every text edit with a document of its own in the application
// font and lays out its empty first line at once, and the first such line loads that font from
// the system's fonts: a window made in this scope takes a font it draws with anyway, and the
// desktop's font is loaded only when a message box or the save dialog first needs it. Nothing
// else is touched: the windows' fonts are complete and owe the application font nothing, and
// the fonts Qt keeps for classes of widgets stay as the desktop set them.
class WindowFontScope
{
public:
    WindowFontScope();
    ~WindowFontScope();

    WindowFontScope(const WindowFontScope&) = delete;
    WindowFontScope& operator=(const WindowFontScope&) = delete;

private:
    QFont m_desktop;
};
