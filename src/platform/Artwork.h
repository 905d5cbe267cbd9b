// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QIcon>
#include <QPixmap>
#include <QString>
#include <QStringList>

// The program's pictures, compiled in under ":/art/". Each is drawn at its size and, for screens
// with two device pixels to a pixel (a scale factor of 2), at twice its size under the same name
// with "@2x" before the extension. The window forms load every picture through picture().
namespace Artwork {

// The picture for the screens in use: its "@2x" twin, at device pixel ratio 2, where a screen has
// more than one device pixel to a pixel; otherwise the picture itself.
QPixmap picture(const char* resource);
QPixmap picture(const QString& resource, qreal devicePixelRatio);

// The name of a picture's twin at twice the size: ":/art/main.png" gives ":/art/main@2x.png".
QString twinName(const QString& resource);

// The application icon in all its sizes, from 16 to 256 px, for window frames and task bars.
QIcon applicationIcon();

} // namespace Artwork
