// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/DefaultButton.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>

namespace {

// Watches the window itself, so it sees only the Enter presses that no control took for its own:
// a list's open popup is a window of its own and keeps its Enter, as the name field and the
// closed lists pass theirs on, as in a dialog.
class DefaultButtonFilter : public QObject
{
public:
    DefaultButtonFilter(QWidget* window, QPushButton* button)
        : QObject(window), m_window(window), m_button(button)
    {
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched != m_window || event->type() != QEvent::KeyPress)
            return false;
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter)
            return false;
        if ((key->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier)
            return false;
        auto* focused = qobject_cast<QPushButton*>(QApplication::focusWidget());
        QPushButton* target = focused && focused->window() == m_window ? focused : m_button.data();
        if (target && target->isEnabled() && target->isVisible())
            target->click();
        return true;
    }

private:
    QWidget* m_window;
    QPointer<QPushButton> m_button;
};

} // namespace

void installDefaultButton(QWidget* window, QPushButton* button)
{
    button->setDefault(true);
    window->installEventFilter(new DefaultButtonFilter(window, button));
}

void makeOneTabStop(std::initializer_list<QRadioButton*> group)
{
    for (QRadioButton* radio : group) {
        const auto takeTabStop = [radio](bool checked) {
            radio->setFocusPolicy(checked ? Qt::StrongFocus : Qt::ClickFocus);
        };
        takeTabStop(radio->isChecked());
        QObject::connect(radio, &QRadioButton::toggled, radio, takeTabStop);
    }
}
