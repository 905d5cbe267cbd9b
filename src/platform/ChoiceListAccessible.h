// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAbstractItemView>
#include <QAccessibleWidget>
#include <QComboBox>
#include <QStyle>
#include <QStyleOptionComboBox>

// A drop-down list that says which item it holds: its text is the current item's, read-only.
class ChoiceListAccessible : public QAccessibleWidget, public QAccessibleTextInterface
{
public:
    explicit ChoiceListAccessible(QComboBox* list) : QAccessibleWidget(list, QAccessible::ComboBox)
    {
    }

    void* interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::TextInterface)
            return static_cast<QAccessibleTextInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    QString text(QAccessible::Text kind) const override
    {
        if (kind == QAccessible::Value)
            return list()->currentText();
        return QAccessibleWidget::text(kind);
    }

    // The popup's list is the one child, as the toolkit has it, so the items read in the popup
    // belong to this list.
    int childCount() const override { return 1; }

    QAccessibleInterface* child(int index) const override
    {
        return index == 0 ? QAccessible::queryAccessibleInterface(list()->view()) : nullptr;
    }

    int indexOfChild(const QAccessibleInterface* child) const override
    {
        return child && child->object() == list()->view() ? 0 : -1;
    }

    QAccessible::State state() const override
    {
        QAccessible::State state = QAccessibleWidget::state();
        state.expandable = true;
        state.expanded = list()->view()->isVisible();
        state.collapsed = !state.expanded;
        return state;
    }

    QStringList actionNames() const override
    {
        return QStringList{showMenuAction(), pressAction()};
    }

    void doAction(const QString& action) override
    {
        if (action != showMenuAction() && action != pressAction())
            return;
        if (list()->view()->isVisible())
            list()->hidePopup();
        else
            list()->showPopup();
    }

    QStringList keyBindingsForAction(const QString&) const override { return {}; }

    // The text: the current item, which the user cannot edit nor select a part of.
    QString text(int startOffset, int endOffset) const override
    {
        return current().mid(startOffset, endOffset - startOffset);
    }
    int characterCount() const override { return int(current().size()); }
    int cursorPosition() const override { return 0; }
    void setCursorPosition(int) override {}
    void selection(int, int* startOffset, int* endOffset) const override
    {
        *startOffset = *endOffset = 0;
    }
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    QString attributes(int, int* startOffset, int* endOffset) const override
    {
        *startOffset = 0;
        *endOffset = characterCount();
        return {};
    }
    int offsetAtPoint(const QPoint& point) const override
    {
        for (int offset = 0; offset < characterCount(); ++offset) {
            if (characterRect(offset).contains(point))
                return offset;
        }
        return -1;
    }
    void scrollToSubstring(int, int) override {}

    // Where the list draws its item's letters, on the screen.
    QRect characterRect(int offset) const override
    {
        const QString text = current();
        if (offset < 0 || offset >= text.size())
            return {};
        QStyleOptionComboBox option;
        option.initFrom(list());
        const QRect field = list()->style()->subControlRect(QStyle::CC_ComboBox, &option,
                                                            QStyle::SC_ComboBoxEditField, list());
        const QFontMetrics metrics = list()->fontMetrics();
        const int left = field.left() + metrics.horizontalAdvance(text.left(offset));
        const QRect letter(left, field.top(), metrics.horizontalAdvance(text.at(offset)),
                           field.height());
        return QRect(list()->mapToGlobal(letter.topLeft()), letter.size());
    }

private:
    QComboBox* list() const { return static_cast<QComboBox*>(widget()); }
    QString current() const { return list()->currentText(); }
};
