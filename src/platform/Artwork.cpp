// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Artwork.h"

#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImageReader>
#include <QPixmapCache>

#include <algorithm>
#include <condition_variable>
#include <mutex>

namespace Artwork {

QString twinName(const QString& resource)
{
    const qsizetype dot = resource.lastIndexOf(u'.');
    if (dot <= resource.lastIndexOf(u'/'))
        return resource + QStringLiteral("@2x");
    return resource.left(dot) + QStringLiteral("@2x") + resource.mid(dot);
}

namespace {

// Read as the format its extension names, a picture goes straight to its decoder; a reader
// left to find out the format itself loads every image format plugin installed to ask each.
QImage decode(const QString& resource)
{
    const QByteArray format = QFileInfo(resource).suffix().toLatin1();
    QImageReader reader(resource, format);
    reader.setAutoDetectImageFormat(format.isEmpty());
    return reader.read();
}

// The pictures being decoded on another thread: each is handed on as soon as it is done.
struct DecodedAhead
{
    std::mutex mutex;
    std::condition_variable handedOn;
    QStringList pending;
    QHash<QString, QImage> pictures;
};

DecodedAhead& decodedAhead()
{
    static DecodedAhead ahead;
    return ahead;
}

// A picture still being decoded ahead is waited for; one already decoded is taken.
QImage takeDecodedAhead(const QString& resource)
{
    DecodedAhead& ahead = decodedAhead();
    std::unique_lock lock(ahead.mutex);
    ahead.handedOn.wait(lock, [&] { return !ahead.pending.contains(resource); });
    return ahead.pictures.take(resource);
}

// Decoded pictures are kept in the pixmap cache, as QPixmap's own loading does.
QPixmap load(const QString& resource)
{
    QPixmap pixmap;
    if (QPixmapCache::find(resource, &pixmap))
        return pixmap;
    QImage image = takeDecodedAhead(resource);
    pixmap = QPixmap::fromImage(image.isNull() ? decode(resource) : std::move(image));
    if (!pixmap.isNull())
        QPixmapCache::insert(resource, pixmap);
    return pixmap;
}

} // namespace

QStringList startDecodingAhead()
{
    // The smallest files first, so that a window waits for none but the large picture it shows.
    QFileInfoList files;
    QDirIterator it(QStringLiteral(":/art"), {QStringLiteral("*.png")}, QDir::Files);
    while (it.hasNext()) {
        const QFileInfo file(it.next());
        if (!file.fileName().contains(QStringLiteral("@2x")))
            files << file;
    }
    std::stable_sort(files.begin(), files.end(),
                     [](const QFileInfo& a, const QFileInfo& b) { return a.size() < b.size(); });
    QStringList pictures;
    for (const QFileInfo& file : std::as_const(files))
        pictures << file.filePath();
    DecodedAhead& ahead = decodedAhead();
    const std::lock_guard lock(ahead.mutex);
    ahead.pending = pictures;
    return pictures;
}

void decodeAhead(const QStringList& pictures)
{
    DecodedAhead& ahead = decodedAhead();
    for (const QString& resource : pictures) {
        // Converted here as well into the form a pixmap keeps, so that the pixmap takes it as
        // it is.
        const QImage image = decode(resource);
        const QImage converted = image.convertToFormat(
            image.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32);
        {
            const std::lock_guard lock(ahead.mutex);
            ahead.pictures.insert(resource, converted);
            ahead.pending.removeOne(resource);
        }
        ahead.handedOn.notify_all();
    }
}

void endDecodingAhead()
{
    // Screens with more device pixels than pixels show the twins, and leave these behind.
    DecodedAhead& ahead = decodedAhead();
    const std::lock_guard lock(ahead.mutex);
    ahead.pending.clear();
    ahead.pictures.clear();
}

QPixmap picture(const QString& resource, qreal devicePixelRatio)
{
    if (devicePixelRatio > 1) {
        const QString twin = twinName(resource);
        if (QFile::exists(twin)) {
            QPixmap sharp = load(twin);
            sharp.setDevicePixelRatio(2);
            return sharp;
        }
    }
    return load(resource);
}

QPixmap picture(const char* resource)
{
    // The largest ratio of the screens: a window may be moved to any of them.
    const qreal ratio = qGuiApp ? qGuiApp->devicePixelRatio() : 1;
    return picture(QString::fromUtf8(resource), ratio);
}

QIcon applicationIcon()
{
    QIcon icon;
    for (const int size : {16, 22, 24, 32, 48, 64, 128, 256})
        icon.addPixmap(load(QStringLiteral(":/icons/hicolor/%1x%1/apps/kartak2.png").arg(size)));
    return icon;
}

} // namespace Artwork
