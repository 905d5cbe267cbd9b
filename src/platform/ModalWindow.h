// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

// A window the program shows modally with exec(): centred the first time it shows, and never
// closed by Escape. One without a close button also ignores Alt+F4 and the window manager, so
// only its own command (or timer) hides it. Closing only ever hides: the contents stay.
class ModalWindow : public QDialog
{
    Q_OBJECT
public:
    enum class Closing {
        ByTitleBarToo,
        OnlyByItsCommand,
    };

    explicit ModalWindow(Closing closing, QWidget* parent = nullptr);

    void setVisible(bool visible) override;

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    Closing m_closing;
};
