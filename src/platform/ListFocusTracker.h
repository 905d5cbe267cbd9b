// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/AccessibilityEvents.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QTimer>

#include <utility>

// Keeps a screen reader's focus where the user's keyboard is on a list: on the item a closed,
// focused list now shows, and back on the list itself when its popup closes, so that the
// chosen item is read with the list's name.
class ListFocusTracker : public QObject
{
public:
    explicit ListFocusTracker(QComboBox* list) : QObject(list), m_list(list)
    {
        connect(list, &QComboBox::currentIndexChanged, this, &ListFocusTracker::itemChanged);
        list->installEventFilter(this);
        if (list->testAttribute(Qt::WA_WState_Polished))
            watchPopup();
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        // The popup is watched from the list's polishing on, which comes before the list can be
        // shown and open it; made at the window's creation, the popup would cost the start-up.
        if (watched == m_list && event->type() == QEvent::Polish)
            watchPopup();
        const bool popup = watched != m_list;
        if (event->type() == QEvent::Hide && popup) {
            // The choice made in the popup is taken only after the popup has gone, and the
            // keyboard's focus may still be on its way back to the list.
            m_popupClosing = true;
            QTimer::singleShot(0, this, [this] {
                m_popupClosing = false;
                const QWidget* keyboardFocus = QApplication::focusWidget();
                if (keyboardFocus == m_list || keyboardFocus == m_list->view())
                    focusList();
                else
                    m_focusListWhenBack = true;
            });
        } else if (event->type() == QEvent::FocusIn && watched == m_list &&
                   std::exchange(m_focusListWhenBack, false)) {
            focusList();
        } else if (event->type() == QEvent::Show && popup) {
            m_focusListWhenBack = false;
        }
        return false;
    }

private:
    void watchPopup()
    {
        if (!std::exchange(m_watchingPopup, true))
            m_list->view()->window()->installEventFilter(this);
    }

    void itemChanged(int index)
    {
        // An emptied list (index -1) has no item to point at.
        if (index < 0 || m_popupClosing || !m_list->hasFocus() || m_list->view()->isVisible())
            return;
        QAccessibleInterface* items = QAccessible::queryAccessibleInterface(m_list->view());
        sendFocus(items ? items->child(index) : nullptr);
    }

    void focusList() { sendFocus(QAccessible::queryAccessibleInterface(m_list)); }

    QComboBox* m_list;
    bool m_watchingPopup = false;
    bool m_popupClosing = false;
    bool m_focusListWhenBack = false;
};
