// SPDX-License-Identifier: GPL-3.0-or-later
// Decodes pictures when the program is built:
//   kartak_decode_pictures PICTURE OUTPUT [PICTURE OUTPUT ...]
// Each OUTPUT holds its PICTURE's pixels as a pixmap keeps them (see PicturePixels).
#include "platform/PicturePixels.h"

#include <QFile>
#include <QImageReader>

#include <cstdio>

int main(int argc, char* argv[])
{
    if (argc < 3 || argc % 2 != 1) {
        std::fputs("usage: kartak_decode_pictures PICTURE OUTPUT [PICTURE OUTPUT ...]\n", stderr);
        return 2;
    }
    for (int i = 1; i + 1 < argc; i += 2) {
        QImageReader reader(QString::fromLocal8Bit(argv[i]));
        const QImage picture = reader.read();
        if (picture.isNull()) {
            std::fprintf(stderr, "%s: %s\n", argv[i], qPrintable(reader.errorString()));
            return 1;
        }
        QFile output(QString::fromLocal8Bit(argv[i + 1]));
        const QByteArray stored = PicturePixels::store(PicturePixels::asPixmapKeepsIt(picture));
        if (!output.open(QIODevice::WriteOnly) || output.write(stored) != stored.size() ||
            !output.flush()) {
            std::fprintf(stderr, "%s: %s\n", argv[i + 1], qPrintable(output.errorString()));
            output.remove();
            return 1;
        }
    }
    return 0;
}
