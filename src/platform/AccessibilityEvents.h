// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QAccessibleEvent;
class QAccessibleInterface;

// The events the program itself sends to assistive tools; the test listener hears each of them.
void tellListener(QAccessibleEvent* event);
// Moves the screen reader's focus onto `to`, when there is one.
void sendFocus(QAccessibleInterface* to);

// The object name of a window's notifier, the hidden widget whose appearing a screen reader reads.
inline constexpr char NotifierName[] = "accessibleNotifier";
