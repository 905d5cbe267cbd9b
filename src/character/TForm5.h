// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui_TForm5.h"

#include <QWidget>

// The tip window: shows the tip of the day in its memo. Closing it only hides it.
class TForm5 : public QWidget, public Ui::TForm5
{
    Q_OBJECT
public:
    explicit TForm5(QWidget* parent = nullptr);

    static const QString InitialTip;

    // Replaces the memo's whole text, centred as the memo shows it.
    void setTip(const QString& tip);
    QString tip() const;

    void Button1Click();
};
