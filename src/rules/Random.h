// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QTime>
#include <QtGlobal>

// The program's random generator: one 32-bit state, advanced by a linear congruential step before
// every draw. The same seed always gives the same draws, so a generation can be repeated.
class Random
{
public:
    explicit Random(quint32 seed = 0) : m_state(seed) {}

    void seed(quint32 seed) { m_state = seed; }
    quint32 state() const { return m_state; }

    // A whole number from 0 to n - 1: the upper half of the 64-bit product of the new state and n.
    // A non-positive n still advances the state and yields 0.
    int below(int n);

private:
    quint32 m_state;
};

// Milliseconds since midnight of the given time of day: the seed of a generation.
quint32 seedFromTime(QTime utcTimeOfDay);
