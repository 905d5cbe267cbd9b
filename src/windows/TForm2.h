// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui_TForm2.h"

#include "platform/ModalWindow.h"

// The About window: the About picture, the About text and a panel that leads back to the main
// menu. Shown modally with exec(); closing it only hides it, so the text stays for the next time.
class TForm2 : public ModalWindow, public Ui::TForm2
{
    Q_OBJECT
public:
    explicit TForm2(QWidget* parent = nullptr);

    // Creation handler: replaces the built-in text with the lines of "about.ktd". Throws
    // KartakError ("Cannot open file about.ktd") when the file cannot be read; the built-in
    // lines, whose last one says so, then stay.
    void FormCreate();

    void Panel1Click();
};
