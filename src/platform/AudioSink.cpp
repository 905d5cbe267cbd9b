// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/AudioSink.h"

#include "files/WaveSound.h"

#include <QAudioFormat>
#include <QAudioSink>
#include <QElapsedTimer>
#include <QMediaDevices>
#include <QPointer>
#include <QTimer>

namespace {

// How long after its last sample a sound may still be on its way to the loudspeaker.
constexpr qint64 kTailMs = 60;
// How long after its end a stream that still takes samples is believed.
constexpr qint64 kStuckMs = 2000;
QAudioFormat audioFormat(const WaveSound& sound)
{
    QAudioFormat format;
    format.setSampleRate(sound.sampleRate);
    format.setChannelCount(sound.channels);
    format.setSampleFormat(sound.bitsPerSample == 8 ? QAudioFormat::UInt8 : QAudioFormat::Int16);
    return format;
}

// The sound card: a fresh audio stream for every sound. Qt 6.4's stream shrinks its buffer each
// time it is started again, until it stops taking samples and stays "active" for ever, so a
// stream is never started twice. A stream is deleted from the event loop (deleting it runs the
// events itself) once it has surely ended, or when the next sound starts, so that none is left
// open when the program ends. The stream is told apart from a finished one by the time the
// sound takes, and by its state while it is still taking the samples (never longer than
// kStuckMs after the sound should have ended).
class AudioSink final : public SoundPlayer::Sink
{
public:
    AudioSink(const WaveSound& sound, QObject* owner)
        : m_format(audioFormat(sound)), m_durationMs(sound.durationMs()), m_owner(owner)
    {
    }

    void start(QIODevice* source) override
    {
        if (m_sink)
            retire(m_sink);
        m_sink = nullptr;
        const QAudioDevice device = QMediaDevices::defaultAudioOutput();
        if (device.isNull())
            return; // no sound device: nothing to hear, and nothing to complain about
        m_sink = new QAudioSink(device, m_format, m_owner);
        m_sink->setObjectName(kAudioStreamName);
        m_sink->start(source);
        m_started.start();
        QTimer::singleShot(m_durationMs + kStuckMs, m_sink,
                           [sink = m_sink.data()] { retire(sink); });
    }

    bool isActive() const override
    {
        if (!m_sink || failed())
            return false;
        const qint64 elapsed = m_started.elapsed();
        return elapsed < m_durationMs + kTailMs ||
               (m_sink->state() == QAudio::ActiveState && elapsed < m_durationMs + kStuckMs);
    }

private:
    // Stopped at once, so that it takes no more samples from the shared source.
    static void retire(QAudioSink* sink)
    {
        sink->stop();
        sink->deleteLater();
    }

    bool failed() const
    {
        return m_sink->state() == QAudio::StoppedState && m_sink->error() != QAudio::NoError;
    }

    QAudioFormat m_format;
    qint64 m_durationMs;
    QObject* m_owner;
    QPointer<QAudioSink> m_sink; // owned by m_owner until deleted
    QElapsedTimer m_started;
};

} // namespace

SoundPlayer::Sink* kartakMakeAudioSink(const WaveSound& sound, QObject* owner)
{
    return new AudioSink(sound, owner);
}
