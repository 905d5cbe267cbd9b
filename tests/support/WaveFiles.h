// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QtGlobal>

// Building blocks of RIFF WAVE files, for the tests that feed the wave reader and the player.
QByteArray le16(quint16 value);
QByteArray le32(quint32 value);
// A chunk: its id, its size and its body, padded to an even size unless `pad` is false.
QByteArray chunk(const QByteArray& id, const QByteArray& body, bool pad = true);
QByteArray fmtBody(quint16 format, quint16 channels, quint32 rate, quint16 bits);
QByteArray riff(const QByteArray& chunks);

// Recognisable sample bytes, so that a shifted start shows.
QByteArray ramp(int size);
// A PCM wave at 22050 Hz with these samples.
QByteArray wave(quint16 channels, quint16 bits, const QByteArray& samples);
// A mono wave of silence in the given sample format, 22050 Hz.
QByteArray silentWave(quint16 format, quint16 bits, int samples = 2205);
