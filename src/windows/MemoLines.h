// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

class Memo;

// Filling the read-only memos of the secondary windows from the lines of a text file.
namespace MemoLines {

// Replaces the memo's text with the lines, one row each, the caret at the start. A memo that is
// not on the screen is laid out only when it shows, at the width it shows at.
void fill(Memo* memo, const QStringList& lines);

// The rows one line becomes in a memo. A NUL is invisible in the text layout, so it shows as
// U+FFFD, like the bytes the code page leaves undefined. A line longer than MaxRowLength is cut
// into rows of at most that length (after a space where one lies in the row's second half, never
// inside a surrogate pair): the text layout takes minutes over a single multi-megabyte paragraph,
// but only lays out the rows in view.
QStringList displayRows(QString line);

inline constexpr qsizetype MaxRowLength = 4096;

} // namespace MemoLines
