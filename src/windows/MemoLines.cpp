// SPDX-License-Identifier: GPL-3.0-or-later
#include "windows/MemoLines.h"

#include <QEvent>
#include <QPlainTextEdit>
#include <QStringView>
#include <QTextDocument>

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

// Puts the caret of a memo filled while hidden back at the start when the memo shows, before the
// memo scrolls to the caret; once. The text went into the memo's document without the memo: as
// any text put in after the caret, it left the caret at its end.
class CaretToStartOnShow : public QObject
{
public:
    static void install(QPlainTextEdit* memo)
    {
        if (!memo->findChild<QObject*>(name(), Qt::FindDirectChildrenOnly))
            memo->installEventFilter(new CaretToStartOnShow(memo));
    }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Show) {
            static_cast<QPlainTextEdit*>(watched)->moveCursor(QTextCursor::Start);
            watched->removeEventFilter(this);
            setObjectName(QString());
            deleteLater();
        }
        return false;
    }

private:
    explicit CaretToStartOnShow(QPlainTextEdit* memo) : QObject(memo) { setObjectName(name()); }
    static QString name() { return QStringLiteral("caretToStartOnShow"); }
};

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

void fill(QPlainTextEdit* memo, const QStringList& lines)
{
    QStringList rows;
    rows.reserve(lines.size());
    for (const QString& line : lines)
        rows << displayRows(line);
    const QString text = rows.join(u'\n');
    if (memo->isVisible()) {
        memo->setPlainText(text);
        return;
    }
    // Through the memo, the text would be laid out now to place the caret, and once more at the
    // width the memo shows at. Laying out is the first use of a face's shaping tables, the
    // largest part of making the About window at start-up.
    QTextDocument* document = memo->document();
    document->setPlainText(text);
    document->setModified(false);
    CaretToStartOnShow::install(memo);
}

} // namespace MemoLines
