// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/SoundPlayer.h"

#include "files/KartakError.h"
#include "files/RegularFile.h"

#include <QAudioFormat>
#include <QAudioSink>
#include <QElapsedTimer>
#include <QFile>
#include <QMediaDevices>
#include <QPointer>
#include <QThread>
#include <QTimer>

namespace {

SoundPlayer::SinkFactory g_sinkFactory;

// The sound device's texts.
const QString kNotFound =
    QStringLiteral("Cannot find the specified file. Make sure the path and filename are correct");
const QString kBadFormat = QStringLiteral(
    "The specified file cannot be played on the specified MCI device. The file may be corrupt, "
    "or not in the correct format");

// A feedback sound is short; a bigger file is not read into memory.
constexpr qint64 kLargestFile = 64 * 1024 * 1024;

// How long after its last sample a sound may still be on its way to the loudspeaker.
constexpr qint64 kTailMs = 60;
// How long after its end a stream that still takes samples is believed.
constexpr qint64 kStuckMs = 2000;
// How long the sound server takes at most to answer the closing of a stream.
constexpr unsigned long kSettleMs = 100;

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

SoundPlayer::SoundPlayer(QObject* parent) : QObject(parent) {}

SoundPlayer::~SoundPlayer()
{
    // The streams read from m_source, so they go first.
    m_sink.reset();
    const QList<QAudioSink*> streams = findChildren<QAudioSink*>(Qt::FindDirectChildrenOnly);
    qDeleteAll(streams);
    // Qt 6.4 tears its sound server connection down at exit without waiting for the server's
    // last answers, and aborts when one comes in meanwhile: give the answers to the closing of
    // these streams time to arrive. Only a sound played in the last seconds leaves a stream.
    if (!streams.isEmpty())
        QThread::msleep(kSettleMs);
}

void SoundPlayer::open(const QString& fileName)
{
    m_fileName = fileName;
    // A named pipe or a device under the sound's name is turned away at once, as a missing file.
    QFile file(fileName);
    switch (RegularFile::tryOpen(file, QIODevice::ReadOnly)) {
    case RegularFile::Outcome::Opened:
        break;
    case RegularFile::Outcome::Missing:
    case RegularFile::Outcome::NotRegular:
        throw KartakError(kNotFound);
    case RegularFile::Outcome::Failed:
        throw KartakError(QStringLiteral("Cannot open file %1").arg(fileName));
    }
    const qint64 size = file.size();
    if (size > kLargestFile)
        throw KartakError(kBadFormat);
    const QByteArray bytes = file.read(size);
    std::optional<WaveSound> sound = WaveSound::parse(bytes);
    if (!sound)
        throw KartakError(kBadFormat);

    m_sound = std::move(*sound);
    m_source.close();
    m_source.setData(m_sound.samples);
    m_source.open(QIODevice::ReadOnly);
    m_open = true;
}

bool SoundPlayer::isOpen() const
{
    return m_open;
}

bool SoundPlayer::isLoaded() const
{
    return m_open && !m_sound.samples.isEmpty();
}

void SoundPlayer::play()
{
    if (!m_open)
        throw KartakError(QStringLiteral("No MCI device open"));
    if (m_sink && m_sink->isActive())
        return; // still playing: it plays on
    if (!m_sink)
        m_sink = g_sinkFactory ? g_sinkFactory(m_sound, m_fileName)
                               : std::make_unique<AudioSink>(m_sound, this);
    m_source.seek(0);
    m_sink->start(&m_source);
}

void SoundPlayer::setSinkFactory(SinkFactory factory)
{
    g_sinkFactory = std::move(factory);
}
