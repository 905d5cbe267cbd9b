// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>

class QAccessibleEvent;
class QString;
class QWidget;

// What assistive tools such as a screen reader learn about the program's windows and lists,
// beyond what the toolkit tells them by itself.
namespace Accessibility {

// Installs the program's own accessible interfaces, once; call it before any window is shown.
// - Each of the program's windows (the classes named TForm...) is a frame, or a dialog when it
//   is a modal dialog, and does not list its hidden controls nor its decoration: the frames and
//   bars drawn as shapes, and pictures that have no accessible name.
// - A drop-down list gives its current item as its text and value, so a screen reader reads it
//   with the list's name; when the item changes while the list has the focus and its popup is
//   closed (the arrow, Home and End keys, or a refusal putting "žádná" back), the new item gets
//   the screen reader's focus, so it is read out at once.
void install();

// Tells a screen reader a short message at once without moving the keyboard's focus: a
// notification that appears in the window.
void announce(QWidget* window, const QString& message);

// Test seam: hears every event the program itself sends to assistive tools (the screen reader's
// focus on a list's item or on the list, a notification appearing), also when no assistive tool
// listens and the toolkit drops them. An empty listener stops it.
using EventListener = std::function<void(QAccessibleEvent* event)>;
void setEventListener(EventListener listener);

} // namespace Accessibility
