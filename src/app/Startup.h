// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QApplication;

// Program-wide set-up that must come before any window: the fonts the layouts were drawn for.
void prepareApplication(QApplication& app);

// Program-wide set-up that no window needs before the splash is on the screen: the application
// icon and the sound output. showSplash() does it, once, when the splash has painted.
void prepareAfterSplash();

// Creates Form1 ... Form7 in order, each with its creation handler. A creation handler that fails
// shows the error box and start-up goes on with the next window.
void createForms();

// Shows the splash modally until its timer closes it; what prepareAfterSplash() does is done by
// the time it returns.
void showSplash();

// Runs the main loop with the main menu as the main window, then destroys the windows.
int runMainLoop(QApplication& app);

// Destroys the windows in the reverse order of their creation.
void destroyForms();
