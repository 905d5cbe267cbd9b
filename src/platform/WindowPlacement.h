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

// From now on, a window whose minimum and maximum sizes are the same is never maximised: its
// layout has that one size. A request for it, whether from the program, from
// the title-bar buttons that the platform draws itself or from a shortcut, is turned back at
// once, so the window system never waits for a window of a size the window cannot take.
// `parent` owns the watcher; the application is the natural one.
void keepFixedWindowsUnmaximised(QObject* parent);
