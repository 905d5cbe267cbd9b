// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/OneLineValidator.h"

#include <algorithm>

namespace {

bool isControl(QChar c)
{
    return c.unicode() < 0x20 || c.unicode() == 0x7F;
}

} // namespace

QValidator::State OneLineValidator::validate(QString& input, int& pos) const
{
    input = oneLine(input, &pos);
    return Acceptable;
}

QString OneLineValidator::oneLine(const QString& text, int* pos)
{
    if (std::none_of(text.cbegin(), text.cend(), isControl))
        return text;
    QString line;
    line.reserve(text.size());
    int newPos = pos ? *pos : 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') {
            if (pos && i + 1 < *pos)
                --newPos;
            ++i;
        }
        line += isControl(text[i]) ? QChar(u' ') : text[i];
    }
    if (pos)
        *pos = newPos;
    return line;
}
