// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "files/WaveSound.h"

#include <QBuffer>
#include <QObject>
#include <QString>

#include <functional>
#include <memory>

// A wave sound opened once by bare file name and played on request without blocking.
// A sound that is still playing plays on; one that has ended starts again from its beginning.
// The whole sound is read into memory when it is opened; playing it only hands the samples on.
class SoundPlayer : public QObject
{
    Q_OBJECT
public:
    // Where the samples go: the sound card in the program, a stand-in in tests.
    class Sink
    {
    public:
        virtual ~Sink() = default;
        // Starts taking the samples from the source's current position and returns at once.
        // A sink that cannot play stays silent and is not active.
        virtual void start(QIODevice* source) = 0;
        // True until the sound has been heard to its end.
        virtual bool isActive() const = 0;
    };
    // Makes a player's sink for its sound, opened from the named file.
    using SinkFactory =
        std::function<std::unique_ptr<Sink>(const WaveSound& sound, const QString& fileName)>;

    explicit SoundPlayer(QObject* parent = nullptr);
    ~SoundPlayer() override;

    // Throws KartakError when the file is missing, not a regular file, unreadable or not a
    // PCM wave file.
    void open(const QString& fileName);
    bool isOpen() const;
    bool isLoaded() const; // the sound is read and ready to play

    // Throws KartakError("No MCI device open") when the player is not open. A sound that cannot
    // be heard (no sound device, say) is not an error.
    void play();

    // Loads what the sound card's sink needs ahead of the first sound; the first play request
    // does it otherwise.
    static void prepareOutput();

    // Test seam: players that start playing from now on send their samples to the factory's
    // sinks; an empty factory restores the sound card.
    static void setSinkFactory(SinkFactory factory);

private:
    std::unique_ptr<Sink> makeAudioSink();

    QString m_fileName;
    WaveSound m_sound;
    QBuffer m_source;
    std::unique_ptr<Sink> m_sink;
    bool m_open = false;
};
