// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui_TForm4.h"

#include <QWidget>

// The notice that a function is still being developed. It has no title bar; its black frame is
// its border. Shown without blocking (showOrRaise()); "OK" hides it again.
class TForm4 : public QWidget, public Ui::TForm4
{
    Q_OBJECT
public:
    explicit TForm4(QWidget* parent = nullptr);

    void Button1Click();

    void setVisible(bool visible) override;
};
