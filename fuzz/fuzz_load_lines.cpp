// SPDX-License-Identifier: GPL-3.0-or-later
// The whole-file loader: lines split at CR LF, CR or LF, none of them holding a line end; the
// lines written back with CR LF and loaded again come out the same.
#include "FuzzSupport.h"

#include "files/Cp1250.h"
#include "files/TextFile.h"

#include <QStringList>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes = FuzzSupport::fileBytes(data, size);
    const QStringList lines = TextFile::loadLines(FuzzSupport::writeScratchFile(bytes));

    const QList<QByteArray> expected = FuzzSupport::referenceLines(bytes);
    FUZZ_CHECK(lines.size() == expected.size());
    for (qsizetype i = 0; i < lines.size(); ++i) {
        FUZZ_CHECK(!lines[i].contains(QChar(u'\r')) && !lines[i].contains(QChar(u'\n')));
        FUZZ_CHECK(lines[i] == Cp1250::decode(expected[i]));
    }

    // Windows-1250 cannot hold U+FFFD, so the undefined bytes come back as '?'.
    QStringList written = lines;
    written.replaceInStrings(QString(QChar(0xFFFD)), QStringLiteral("?"));
    QByteArray joined;
    for (const QString& line : written)
        joined += Cp1250::encode(line) + "\r\n";
    FUZZ_CHECK(TextFile::loadLines(FuzzSupport::writeScratchFile(joined)) == written);

    // The program's own writer produces exactly those bytes.
    const QString path = FuzzSupport::writeScratchFile({});
    TextFile::writeLines(path, written);
    FUZZ_CHECK(TextFile::loadBytes(path) == joined);
    return 0;
}
