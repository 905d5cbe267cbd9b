// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/PicturePixels.h"

#include <cstring>

namespace PicturePixels {

namespace {

// "KPX1" read in the byte order of the machine: a store from a machine of the other byte order
// reads as another number.
constexpr quint32 Magic = 0x3158504B;

struct Header
{
    quint32 magic;
    quint32 width;
    quint32 height;
    quint32 format;
    quint32 bytesPerLine;
};

bool hasTranslucentPixels(const QImage& image)
{
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < argb.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(argb.constScanLine(y));
        for (int x = 0; x < argb.width(); ++x) {
            if (qAlpha(line[x]) != 255)
                return true;
        }
    }
    return false;
}

} // namespace

QImage asPixmapKeepsIt(const QImage& image)
{
    // As a raster pixmap takes an image: opaque unless a pixel lets something through.
    const bool translucent = image.hasAlphaChannel() && hasTranslucentPixels(image);
    return image.convertToFormat(translucent ? QImage::Format_ARGB32_Premultiplied
                                             : QImage::Format_RGB32);
}

QByteArray store(const QImage& image)
{
    const Header header{Magic, quint32(image.width()), quint32(image.height()),
                        quint32(image.format()), quint32(image.bytesPerLine())};
    QByteArray stored(reinterpret_cast<const char*>(&header), sizeof header);
    stored.append(reinterpret_cast<const char*>(image.constBits()), image.sizeInBytes());
    return stored;
}

QImage load(const uchar* data, qint64 size)
{
    Header header{};
    if (!data || size < qint64(sizeof header))
        return {};
    std::memcpy(&header, data, sizeof header);
    const auto format = QImage::Format(header.format);
    if (header.magic != Magic ||
        (format != QImage::Format_RGB32 && format != QImage::Format_ARGB32_Premultiplied) ||
        header.width == 0 || header.height == 0 || header.width > 16384 || header.height > 16384)
        return {};
    const int width = int(header.width);
    const int height = int(header.height);
    const uchar* pixels = data + sizeof header;
    const qint64 stored = size - qint64(sizeof header);
    // Lines are stored without padding, as an image of 32 bits to a pixel keeps them.
    if (qint64(header.bytesPerLine) != qint64(width) * 4 ||
        stored != qint64(header.bytesPerLine) * height)
        return {};
    // Pixels that lie aligned are shown where they are, read-only.
    if (reinterpret_cast<quintptr>(pixels) % alignof(quint32) == 0)
        return QImage(pixels, width, height, qsizetype(header.bytesPerLine), format);
    QImage image(width, height, format);
    if (image.isNull())
        return {};
    std::memcpy(image.bits(), pixels, size_t(stored));
    return image;
}

} // namespace PicturePixels
