// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Artwork.h"

#include "platform/PicturePixels.h"

#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImageReader>
#include <QPixmapCache>
#include <QResource>

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
// The windows' pictures at their own size were decoded when the program was built and are
// only copied.
QImage decode(const QString& resource)
{
    const QResource pixels(resource + QStringLiteral(".pixels"));
    if (pixels.isValid() && pixels.compressionAlgorithm() == QResource::NoCompression) {
        QImage decoded = PicturePixels::load(pixels.data(), pixels.size());
        if (!decoded.isNull())
            return decoded;
    }
    const QByteArray format = QFileInfo(resource).suffix().toLatin1();
    QImageReader reader(resource, format);
    reader.setAutoDetectImageFormat(format.isEmpty());
    return reader.read();
}

// Decoded pictures are kept in the pixmap cache, as QPixmap's own loading does.
QPixmap load(const QString& resource)
{
    QPixmap pixmap;
    if (QPixmapCache::find(resource, &pixmap))
        return pixmap;
    pixmap = QPixmap::fromImage(decode(resource));
    if (!pixmap.isNull())
        QPixmapCache::insert(resource, pixmap);
    return pixmap;
}

// The largest ratio of the screens: a window may be moved to any of them.
qreal screenRatio()
{
    return qGuiApp ? qGuiApp->devicePixelRatio() : 1;
}

} // namespace

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
    return picture(QString::fromUtf8(resource), screenRatio());
}

QIcon applicationIcon()
{
    QIcon icon;
    for (const int size : {16, 22, 24, 32, 48, 64, 128, 256})
        icon.addPixmap(load(QStringLiteral(":/icons/hicolor/%1x%1/apps/kartak2.png").arg(size)));
    return icon;
}

} // namespace Artwork
