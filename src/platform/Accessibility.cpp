// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Accessibility.h"

#include "platform/AccessibilityEvents.h"
#include "platform/ChoiceListAccessible.h"
#include "platform/ListFocusTracker.h"
#include "platform/WindowAccessible.h"

#include <QAccessible>
#include <QDialog>

#include <utility>

namespace {

Accessibility::EventListener& eventListener()
{
    static Accessibility::EventListener listener;
    return listener;
}

// The one factory the program registers: every accessible interface of our own is made here.
QAccessibleInterface* programInterface(const QString& className, QObject* object)
{
    if (!object || !object->isWidgetType())
        return nullptr;
    auto* widget = static_cast<QWidget*>(object);
    // A list the user can type into keeps the toolkit's interface, which also has its edit field.
    if (className == QLatin1String("QComboBox") && !static_cast<QComboBox*>(widget)->isEditable()) {
        auto* list = static_cast<QComboBox*>(widget);
        new ListFocusTracker(list);
        return new ChoiceListAccessible(list);
    }
    // Only at the window's own class, so a subclass the toolkit knows keeps its own.
    if (widget->isWindow() && className == QLatin1String(object->metaObject()->className()) &&
        className.startsWith(QLatin1String("TForm"))) {
        return new WindowAccessible(widget, qobject_cast<QDialog*>(widget) ? QAccessible::Dialog
                                                                           : QAccessible::Window);
    }
    if (className == QLatin1String("QWidget") && object->objectName() == NotifierName)
        return new QAccessibleWidget(widget, QAccessible::Notification);
    return nullptr;
}

} // namespace

void tellListener(QAccessibleEvent* event)
{
    if (eventListener())
        eventListener()(event);
}

void sendFocus(QAccessibleInterface* to)
{
    if (!to)
        return;
    QAccessibleEvent focus(to, QAccessible::Focus);
    tellListener(&focus);
    QAccessible::updateAccessibility(&focus);
}

namespace Accessibility {

void install()
{
    static const bool installed = (QAccessible::installFactory(programInterface), true);
    Q_UNUSED(installed);
}

void setEventListener(EventListener listener)
{
    eventListener() = std::move(listener);
}

} // namespace Accessibility
