// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QObject;
class QWidget;

// Windows open centred on the screen the first time they are shown; after that they stay where
// the user put them.
void placeCentredOnce(QWidget* window);

// Shows a window without blocking, or brings it to the front when it is already shown.
void showOrRaise(QWidget* window);

// The window belongs to the one that opens it: the window system keeps it above its owner and,
// where programs may not place their own windows (Wayland), opens it over the owner rather than
// wherever it likes. Takes effect whenever the window is shown, however it is shown.
void setOwner(QWidget* window, QWidget* owner);

// The owner given by setOwner(), or nullptr.
QWidget* ownerOf(const QWidget* window);

// From now on, a window whose minimum and maximum sizes are the same is not maximised: its layout
// has that one size. A request for it, from the program or from the title-bar buttons that Qt
// draws itself under Wayland, is turned back at once, before the window system answers it. The
// window system is told the sizes too, and window managers that heed them offer no maximise.
// `parent` owns the watcher; the application is the natural one.
void keepFixedWindowsUnmaximised(QObject* parent);
