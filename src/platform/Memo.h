// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPlainTextEdit>

class QShowEvent;

// A memo of the windows that lays its text out only while it is on the screen. Made, given its
// font and filled while its window is hidden, it loads no face and shapes no text; once it shows,
// it is laid out at the width it shows at. Its text, font and caret are there at once, as in any
// memo.
class Memo : public QPlainTextEdit
{
public:
    explicit Memo(QWidget* parent = nullptr);

protected:
    void showEvent(QShowEvent* event) override;

private:
    class LayoutWhileShown;
};
