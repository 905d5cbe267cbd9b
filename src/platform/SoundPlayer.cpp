// SPDX-License-Identifier: GPL-3.0-or-later
#include "SoundPlayer.h"

#include "KartakError.h"

#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSoundEffect>
#include <QUrl>
#include <QtEndian>

namespace {

QStringList g_playRequests;

// The sound device's texts.
const QString kNotFound =
    QStringLiteral("Cannot find the specified file. Make sure the path and filename are correct");
const QString kBadFormat = QStringLiteral(
    "The specified file cannot be played on the specified MCI device. The file may be corrupt, "
    "or not in the correct format");

quint32 le32(const char* p)
{
    return qFromLittleEndian<quint32>(p);
}

quint16 le16(const char* p)
{
    return qFromLittleEndian<quint16>(p);
}

// Accepts what the sound player can play: a RIFF WAVE file holding 8- or 16-bit PCM.
bool isPlayableWave(QFile& file)
{
    const QByteArray header = file.read(12);
    if (header.size() != 12 || !header.startsWith("RIFF") || header.mid(8, 4) != "WAVE")
        return false;
    bool formatOk = false;
    for (;;) {
        const QByteArray chunk = file.read(8);
        if (chunk.size() != 8)
            return false;
        const quint32 size = le32(chunk.constData() + 4);
        if (chunk.startsWith("fmt ")) {
            if (size < 16 || size > 1024)
                return false;
            const QByteArray fmt = file.read(size);
            if (fmt.size() != qsizetype(size))
                return false;
            const quint16 format = le16(fmt.constData());
            const quint16 channels = le16(fmt.constData() + 2);
            const quint16 bits = le16(fmt.constData() + 14);
            formatOk = format == 1 && channels >= 1 && channels <= 2 && (bits == 8 || bits == 16);
            if (!formatOk)
                return false;
            if (size & 1)
                file.read(1);
        } else if (chunk.startsWith("data")) {
            return formatOk && size > 0;
        } else if (!file.seek(file.pos() + size + (size & 1))) {
            return false;
        }
    }
}

// Qt 6.4's sample cache can wait forever when a sound effect is destroyed while another sound
// is loading, so each sound file gets one effect that lives until the process ends.
QSoundEffect* effectFor(const QString& absolutePath)
{
    static auto* const effects = new QHash<QString, QSoundEffect*>;
    QSoundEffect*& effect = (*effects)[absolutePath];
    if (!effect) {
        effect = new QSoundEffect;
        effect->setSource(QUrl::fromLocalFile(absolutePath));
    }
    return effect;
}

} // namespace

SoundPlayer::SoundPlayer(QObject* parent) : QObject(parent) {}

SoundPlayer::~SoundPlayer() = default;

void SoundPlayer::open(const QString& fileName)
{
    m_fileName = fileName;
    const QFileInfo info(fileName);
    if (!info.exists() || info.isDir())
        throw KartakError(kNotFound);
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        throw KartakError(QStringLiteral("Cannot open file %1").arg(fileName));
    if (!isPlayableWave(file))
        throw KartakError(kBadFormat);

    m_effect = effectFor(info.absoluteFilePath());
    m_open = true;
}

bool SoundPlayer::isOpen() const
{
    return m_open;
}

QString SoundPlayer::fileName() const
{
    return m_fileName;
}

bool SoundPlayer::isLoaded() const
{
    return m_effect && m_effect->status() == QSoundEffect::Ready;
}

void SoundPlayer::play()
{
    if (!m_open)
        throw KartakError(QStringLiteral("No MCI device open"));
    g_playRequests.append(m_fileName);
    // A sound still playing plays on; QSoundEffect starts an ended one from its beginning.
    if (!m_effect->isPlaying())
        m_effect->play();
}

QStringList SoundPlayer::takePlayRequests()
{
    return std::exchange(g_playRequests, {});
}
