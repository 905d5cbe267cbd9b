// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/SoundPlayer.h"

class QObject;
struct WaveSound;

// The sound card's sink: a stream on the default audio output for each sound. It is the only
// part of the program that needs Qt Multimedia, which brings the sound server's client library
// and codecs with it (some twenty libraries); on Linux it is built as a module of its own and
// loaded when the splash is up, so the start-up does not wait for those libraries.

// Makes a sink whose streams are children of owner, named kAudioStreamName. The caller owns it.
extern "C" Q_DECL_EXPORT SoundPlayer::Sink* kartakMakeAudioSink(const WaveSound& sound,
                                                                QObject* owner);
using AudioSinkMaker = SoundPlayer::Sink* (*)(const WaveSound&, QObject*);
inline constexpr char kAudioSinkMakerName[] = "kartakMakeAudioSink";
inline constexpr char kAudioStreamName[] = "kartakAudioStream";
