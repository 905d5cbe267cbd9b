// SPDX-License-Identifier: GPL-3.0-or-later
// The line-by-line reader: the same lines as the whole-file loader, in order, then empty lines
// for ever once past the end; it always comes to its end.
#include "FuzzSupport.h"

#include "files/Cp1250.h"
#include "files/TextFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes = FuzzSupport::fileBytes(data, size);
    const QList<QByteArray> expected = FuzzSupport::referenceLines(bytes);

    TextFile::LineReader reader(FuzzSupport::writeScratchFile(bytes));
    FUZZ_CHECK(reader.atEnd() == bytes.isEmpty());
    qsizetype count = 0;
    while (!reader.atEnd()) {
        FUZZ_CHECK(count < expected.size());
        const QString line = reader.readLine();
        FUZZ_CHECK(!line.contains(QChar(u'\r')) && !line.contains(QChar(u'\n')));
        FUZZ_CHECK(line == Cp1250::decode(expected[count]));
        ++count;
    }
    FUZZ_CHECK(count == expected.size());

    for (int i = 0; i < 3; ++i) {
        FUZZ_CHECK(reader.readLine().isEmpty());
        FUZZ_CHECK(reader.atEnd());
    }
    return 0;
}
