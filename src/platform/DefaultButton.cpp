// SPDX-License-Identifier: GPL-3.0-or-later
#include "DefaultButton.h"

#include <QApplication>
#include <QPointer>
#include <QPushButton>
#include <QShortcut>

void installDefaultButton(QWidget* window, QPushButton* button)
{
    button->setDefault(true);
    const QPointer<QPushButton> defaultButton = button;
    for (const auto key : {Qt::Key_Return, Qt::Key_Enter}) {
        auto* shortcut = new QShortcut(QKeySequence(key), window);
        shortcut->setContext(Qt::WindowShortcut);
        QObject::connect(shortcut, &QShortcut::activated, window, [window, defaultButton] {
            auto* focused = qobject_cast<QPushButton*>(QApplication::focusWidget());
            QPushButton* target =
                focused && focused->window() == window ? focused : defaultButton.data();
            if (target && target->isEnabled() && target->isVisible())
                target->click();
        });
    }
}
