// SPDX-License-Identifier: GPL-3.0-or-later
#include "windows/MemoLines.h"

#include "platform/Memo.h"

#include <QStringView>

namespace MemoLines {

namespace {

// Where the row starting at `start` ends in a line that is longer than one row.
qsizetype rowEnd(QStringView line, qsizetype start)
{
    qsizetype end = start + MaxRowLength;
    // Only the row's second half is searched, so cutting a long line stays linear.
    const qsizetype half = MaxRowLength / 2;
    const qsizetype space = line.mid(start + half, MaxRowLength - half).lastIndexOf(u' ');
    if (space >= 0)
        end = start + half + space + 1;
    else if (line.at(end - 1).isHighSurrogate())
        --end;
    return end;
}

} // namespace

QStringList displayRows(QString line)
{
    line.replace(QChar(0), QChar(QChar::ReplacementCharacter));
    if (line.size() <= MaxRowLength)
        return {line};
    QStringList rows;
    const QStringView view(line);
    qsizetype start = 0;
    while (line.size() - start > MaxRowLength) {
        const qsizetype end = rowEnd(view, start);
        rows << line.mid(start, end - start);
        start = end;
    }
    rows << line.mid(start);
    return rows;
}

void fill(Memo* memo, const QStringList& lines)
{
    QStringList rows;
    rows.reserve(lines.size());
    for (const QString& line : lines)
        rows << displayRows(line);
    // A memo lays its text out only once it shows, at the width it shows at.
    memo->setPlainText(rows.join(u'\n'));
}

} // namespace MemoLines
