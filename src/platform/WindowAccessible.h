// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/TShape.h"

#include <QAccessibleWidget>
#include <QFocusFrame>
#include <QLabel>
#include <QMenu>

// A window's tree for assistive tools: the program's windows list the controls a user can find
// in them, neither hidden ones nor mere decoration (shapes, and pictures without a name).
inline bool isDecoration(const QWidget* widget)
{
    if (qobject_cast<const TShape*>(widget))
        return true;
    const auto* label = qobject_cast<const QLabel*>(widget);
    return label && !label->pixmap().isNull() && label->accessibleName().isEmpty();
}

// A window lists the controls a user can find in it: neither hidden ones nor mere decoration.
class WindowAccessible : public QAccessibleWidget
{
public:
    WindowAccessible(QWidget* window, QAccessible::Role role) : QAccessibleWidget(window, role) {}

    int childCount() const override { return int(shownChildren().size()); }

    QAccessibleInterface* child(int index) const override
    {
        const QList<QWidget*> children = shownChildren();
        if (index < 0 || index >= children.size())
            return nullptr;
        return QAccessible::queryAccessibleInterface(children.at(index));
    }

    int indexOfChild(const QAccessibleInterface* child) const override
    {
        if (!child)
            return -1;
        return shownChildren().indexOf(qobject_cast<QWidget*>(child->object()));
    }

private:
    QList<QWidget*> shownChildren() const
    {
        QList<QWidget*> shown;
        for (QObject* object : widget()->children()) {
            auto* child = qobject_cast<QWidget*>(object);
            if (!child || child->isWindow() || child->isHidden() || isDecoration(child) ||
                qobject_cast<QMenu*>(child) || qobject_cast<QFocusFrame*>(child))
                continue;
            shown << child;
        }
        return shown;
    }
};
