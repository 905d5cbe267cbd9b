// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/ModalWindow.h"

#include "platform/WindowPlacement.h"

#include <QCloseEvent>
#include <QKeyEvent>

ModalWindow::ModalWindow(Closing closing, QWidget* parent) : QDialog(parent), m_closing(closing) {}

void ModalWindow::setVisible(bool visible)
{
    if (visible)
        placeCentredOnce(this);
    QDialog::setVisible(visible);
}

void ModalWindow::closeEvent(QCloseEvent* event)
{
    if (m_closing == Closing::OnlyByItsCommand)
        event->ignore();
    else
        QDialog::closeEvent(event);
}

void ModalWindow::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}
