// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Artwork.h"

#include <QFile>
#include <QGuiApplication>

namespace Artwork {

QString twinName(const QString& resource)
{
    const qsizetype dot = resource.lastIndexOf(u'.');
    if (dot <= resource.lastIndexOf(u'/'))
        return resource + QStringLiteral("@2x");
    return resource.left(dot) + QStringLiteral("@2x") + resource.mid(dot);
}

QPixmap picture(const QString& resource, qreal devicePixelRatio)
{
    if (devicePixelRatio > 1) {
        const QString twin = twinName(resource);
        if (QFile::exists(twin)) {
            QPixmap sharp(twin);
            sharp.setDevicePixelRatio(2);
            return sharp;
        }
    }
    return QPixmap(resource);
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
        icon.addFile(QStringLiteral(":/icons/hicolor/%1x%1/apps/kartak2.png").arg(size),
                     QSize(size, size));
    return icon;
}

} // namespace Artwork
