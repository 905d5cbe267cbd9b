// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// The tip of the day. Every advance reads the tips file afresh, one more line than the time
// before, so edits to the file show at the next generation. A line that is exactly "0" ends the
// list and starts it again from the first line. The counter starts at 0, so the first two
// advances after start-up both show the first tip.
class TipOfTheDay
{
public:
    explicit TipOfTheDay(QString fileName = QStringLiteral("tips.ktd"));

    // The next tip. Throws KartakError when the file cannot be read; the tip stays as it was.
    QString advance();

    qint32 counter() const { return m_counter; }

private:
    QString m_fileName;
    qint32 m_counter = 0;
};
