// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QValidator>

// Keeps a one-line edit on one line: a line break pasted into it becomes a space (CR LF one
// space, as the user sees one break), and so does any other control character, so a name can
// never carry a line break or a control byte into a sheet or a file name.
class OneLineValidator : public QValidator
{
    Q_OBJECT
public:
    using QValidator::QValidator;

    State validate(QString& input, int& pos) const override;

    // The text as the edit keeps it; `pos` (a cursor position) moves with the text before it.
    static QString oneLine(const QString& text, int* pos = nullptr);
};
