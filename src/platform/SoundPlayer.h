// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

class QSoundEffect;

// A wave sound opened once by bare file name and played on request without blocking.
// A sound that is still playing plays on; one that has ended starts again from its beginning.
class SoundPlayer : public QObject
{
    Q_OBJECT
public:
    explicit SoundPlayer(QObject* parent = nullptr);
    ~SoundPlayer() override;

    // Throws KartakError when the file is missing, unreadable or not a PCM wave file.
    void open(const QString& fileName);
    bool isOpen() const;
    QString fileName() const;
    bool isLoaded() const; // the sound is decoded and ready to play

    // Throws KartakError("No MCI device open") when the player is not open.
    void play();

    // Test seam: every play request of every player, by file name, in order.
    static QStringList takePlayRequests();

private:
    QSoundEffect* m_effect = nullptr;
    QString m_fileName;
    bool m_open = false;
};
