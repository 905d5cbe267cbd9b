// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/SoundPlayer.h"

#include "files/KartakError.h"
#include "files/RegularFile.h"
#include "platform/AudioSink.h"

#include <QCoreApplication>
#include <QFile>
#include <QThread>
#ifdef KARTAK_AUDIO_MODULE
#include "platform/ProgramModule.h"
#endif

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

// How long the sound server takes at most to answer the closing of a stream.
constexpr unsigned long kSettleMs = 100;

// Where the sound card's sink is made: linked in, or in its module. A missing module leaves the
// program silent, as a missing sound device does.
AudioSinkMaker audioSinkMaker()
{
#ifdef KARTAK_AUDIO_MODULE
    static const AudioSinkMaker maker = [] {
        const auto made = reinterpret_cast<AudioSinkMaker>(
            ProgramModule::resolve(KARTAK_AUDIO_MODULE, kAudioSinkMakerName));
        if (!made)
            qWarning("kartak2: no sound output, %s was not found", KARTAK_AUDIO_MODULE);
        return made;
    }();
    return maker;
#else
    return &kartakMakeAudioSink;
#endif
}

// What plays when the sound card's sink is not there: nothing.
class SilentSink final : public SoundPlayer::Sink
{
public:
    void start(QIODevice*) override {}
    bool isActive() const override { return false; }
};

} // namespace

SoundPlayer::SoundPlayer(QObject* parent) : QObject(parent) {}

SoundPlayer::~SoundPlayer()
{
    // The streams read from m_source, so they go first.
    m_sink.reset();
    const QList<QObject*> streams =
        findChildren<QObject*>(kAudioStreamName, Qt::FindDirectChildrenOnly);
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
        m_sink = g_sinkFactory ? g_sinkFactory(m_sound, m_fileName) : makeAudioSink();
    m_source.seek(0);
    m_sink->start(&m_source);
}

std::unique_ptr<SoundPlayer::Sink> SoundPlayer::makeAudioSink()
{
    if (const AudioSinkMaker make = audioSinkMaker())
        return std::unique_ptr<Sink>(make(m_sound, this));
    return std::make_unique<SilentSink>();
}

void SoundPlayer::prepareOutput()
{
    audioSinkMaker();
}

void SoundPlayer::setSinkFactory(SinkFactory factory)
{
    g_sinkFactory = std::move(factory);
}
