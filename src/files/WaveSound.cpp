// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/WaveSound.h"

#include <QtEndian>

namespace {

constexpr qsizetype kChunkHeader = 8;
constexpr qsizetype kFormatSize = 16;
constexpr quint16 kPcm = 1;
constexpr quint32 kHighestRate = 384000;

quint32 le32(const char* p)
{
    return qFromLittleEndian<quint32>(p);
}

quint16 le16(const char* p)
{
    return qFromLittleEndian<quint16>(p);
}

// Reads the first 16 bytes of a "fmt " chunk; false when the sound cannot be played.
bool readFormat(QByteArrayView body, WaveSound& sound)
{
    if (body.size() < kFormatSize)
        return false;
    const char* p = body.data();
    const quint16 format = le16(p);
    const quint16 channels = le16(p + 2);
    const quint32 rate = le32(p + 4);
    const quint16 bits = le16(p + 14);
    if (format != kPcm || channels < 1 || channels > 2 || (bits != 8 && bits != 16) || rate == 0 ||
        rate > kHighestRate)
        return false;
    sound.channels = channels;
    sound.sampleRate = int(rate);
    sound.bitsPerSample = bits;
    return true;
}

} // namespace

qint64 WaveSound::durationMs() const
{
    const qint64 frames = bytesPerFrame() > 0 ? samples.size() / bytesPerFrame() : 0;
    return sampleRate > 0 ? (frames * 1000 + sampleRate - 1) / sampleRate : 0;
}

std::optional<WaveSound> WaveSound::parse(QByteArrayView bytes)
{
    if (bytes.size() < 12 || !bytes.startsWith("RIFF") || bytes.sliced(8, 4) != "WAVE")
        return std::nullopt;
    WaveSound sound;
    bool haveFormat = false;
    qsizetype pos = 12;
    while (bytes.size() - pos >= kChunkHeader) {
        const QByteArrayView id = bytes.sliced(pos, 4);
        const quint32 declared = le32(bytes.data() + pos + 4);
        pos += kChunkHeader;
        const qsizetype left = bytes.size() - pos;
        if (qint64(declared) > qint64(left))
            return std::nullopt; // cut short, or a size that cannot be true
        const QByteArrayView body = bytes.sliced(pos, qsizetype(declared));
        if (id == "fmt ") {
            haveFormat = readFormat(body, sound);
            if (!haveFormat)
                return std::nullopt;
        } else if (id == "data") {
            if (!haveFormat)
                return std::nullopt;
            const qsizetype whole = body.size() - body.size() % sound.bytesPerFrame();
            if (whole == 0)
                return std::nullopt;
            sound.samples = body.first(whole).toByteArray();
            return sound;
        }
        // An odd-sized chunk is followed by one pad byte, which a file's last chunk may lack.
        pos += qsizetype(declared) + qsizetype(declared & 1u);
    }
    return std::nullopt;
}
