// SPDX-License-Identifier: GPL-3.0-or-later
#include "character/TipOfTheDay.h"

#include "files/TextFile.h"

namespace {
const QString kEndOfList = QStringLiteral("0");
}

TipOfTheDay::TipOfTheDay(QString fileName) : m_fileName(std::move(fileName)) {}

QString TipOfTheDay::advance()
{
    bool startedAgain = false;
    QString line;
    for (;;) {
        TextFile::LineReader reader(m_fileName);
        qint32 linesRead = 0;
        do {
            line = reader.readLine();
            ++linesRead;
        } while (linesRead < m_counter);
        ++m_counter;
        if (line != kEndOfList)
            break;
        m_counter = 1;
        // A list whose first line already ends it holds no tip at all: show an empty one rather
        // than start again for ever.
        if (startedAgain) {
            line.clear();
            break;
        }
        startedAgain = true;
    }
    return line;
}
