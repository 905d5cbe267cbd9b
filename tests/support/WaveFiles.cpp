// SPDX-License-Identifier: GPL-3.0-or-later
#include "WaveFiles.h"

#include <QtEndian>

QByteArray le16(quint16 value)
{
    char bytes[2];
    qToLittleEndian(value, bytes);
    return QByteArray(bytes, 2);
}

QByteArray le32(quint32 value)
{
    char bytes[4];
    qToLittleEndian(value, bytes);
    return QByteArray(bytes, 4);
}

QByteArray chunk(const QByteArray& id, const QByteArray& body, bool pad)
{
    QByteArray bytes = id + le32(quint32(body.size())) + body;
    if (pad && body.size() % 2)
        bytes += '\0';
    return bytes;
}

QByteArray fmtBody(quint16 format, quint16 channels, quint32 rate, quint16 bits)
{
    const quint16 align = quint16(channels * bits / 8);
    return le16(format) + le16(channels) + le32(rate) + le32(rate * align) + le16(align) +
           le16(bits);
}

QByteArray riff(const QByteArray& chunks)
{
    return "RIFF" + le32(quint32(4 + chunks.size())) + "WAVE" + chunks;
}

QByteArray ramp(int size)
{
    QByteArray bytes(size, '\0');
    for (int i = 0; i < size; ++i)
        bytes[i] = char(i * 7 + 1);
    return bytes;
}

QByteArray wave(quint16 channels, quint16 bits, const QByteArray& samples)
{
    return riff(chunk("fmt ", fmtBody(1, channels, 22050, bits)) + chunk("data", samples));
}

QByteArray silentWave(quint16 format, quint16 bits, int samples)
{
    const int size = samples * bits / 8;
    return riff(chunk("fmt ", fmtBody(format, 1, 22050, bits)) +
                chunk("data", QByteArray(size, bits == 8 ? '\x80' : '\0'), false));
}
