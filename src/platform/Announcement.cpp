// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Accessibility.h"

#include "platform/AccessibilityEvents.h"

#include <QAccessible>
#include <QWidget>

namespace Accessibility {

void announce(QWidget* window, const QString& message)
{
    auto* notifier = window->findChild<QWidget*>(NotifierName, Qt::FindDirectChildrenOnly);
    if (!notifier) {
        notifier = new QWidget(window);
        notifier->setObjectName(NotifierName);
        notifier->setFocusPolicy(Qt::NoFocus);
        notifier->resize(0, 0);
    }
    // Appearing is what a screen reader reads; hidden first, it appears again for every message.
    notifier->hide();
    notifier->setAccessibleName(message);
    notifier->show(); // the toolkit tells assistive tools that it appeared
    QAccessibleEvent shown(notifier, QAccessible::ObjectShow);
    tellListener(&shown);
}

} // namespace Accessibility
