// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QByteArrayView>

#include <optional>

// The samples of a RIFF WAVE file that holds 8- or 16-bit PCM in one or two channels.
struct WaveSound
{
    int channels = 0;
    int sampleRate = 0;
    int bitsPerSample = 0;
    QByteArray samples; // whole frames only, at least one

    int bytesPerFrame() const { return channels * bitsPerSample / 8; }
    qint64 durationMs() const;

    // The sound in a whole file's bytes, or nothing when they are not such a file: the header
    // is checked, every chunk must lie inside the bytes, and odd-sized chunks are padded to an
    // even length. The size in the RIFF header is not trusted, since many writers get it wrong.
    static std::optional<WaveSound> parse(QByteArrayView bytes);
};
