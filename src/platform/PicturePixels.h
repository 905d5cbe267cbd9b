// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QImage>

// A picture decoded when the program is built, stored as the pixels a pixmap keeps (32 bits to
// a pixel, opaque or premultiplied, in the byte order of the machine that built it) after a
// small header, so that showing it takes a copy instead of a decoding.
namespace PicturePixels {

// The picture in the layout its pixmap keeps on a screen of 24 or 32 bits.
QImage asPixmapKeepsIt(const QImage& image);

// The stored form of an image that asPixmapKeepsIt() gave.
QByteArray store(const QImage& image);

// The image back from its stored form, showing the stored pixels themselves where they lie
// aligned (so they must outlive it); a null image for anything else, including pixels stored in
// another byte order.
QImage load(const uchar* data, qint64 size);

} // namespace PicturePixels
