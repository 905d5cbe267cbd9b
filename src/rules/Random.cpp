// SPDX-License-Identifier: GPL-3.0-or-later
#include "rules/Random.h"

int Random::below(int n)
{
    m_state = m_state * 134775813u + 1u; // wraps modulo 2^32 by unsigned arithmetic
    if (n <= 0)
        return 0;
    return static_cast<int>((quint64(m_state) * quint64(n)) >> 32);
}

quint32 seedFromTime(QTime utcTimeOfDay)
{
    if (!utcTimeOfDay.isValid())
        return 0;
    const quint32 h = quint32(utcTimeOfDay.hour());
    const quint32 m = quint32(utcTimeOfDay.minute());
    const quint32 s = quint32(utcTimeOfDay.second());
    const quint32 ms = quint32(utcTimeOfDay.msec());
    return ((h * 60 + m) * 60 + s) * 1000 + ms;
}
