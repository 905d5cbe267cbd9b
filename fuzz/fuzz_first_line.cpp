// SPDX-License-Identifier: GPL-3.0-or-later
// The version line: everything up to the first CR; a lone LF stays in the line; a byte 1A hex
// ends the text. Checked against a byte-level model of those rules.
#include "FuzzSupport.h"

#include "files/Cp1250.h"
#include "files/TextFile.h"

namespace {

QByteArray expectedFirstLine(const QByteArray& bytes)
{
    QByteArray line;
    for (const char c : bytes) {
        if (c == '\r' || c == '\x1A')
            break;
        line.append(c);
    }
    return line;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes = FuzzSupport::fileBytes(data, size);
    const QString line = TextFile::readFirstLine(FuzzSupport::writeScratchFile(bytes));
    const QByteArray expected = expectedFirstLine(bytes);

    FUZZ_CHECK(!line.contains(QChar(u'\r')));
    FUZZ_CHECK(!line.contains(QChar(u'\x1A')));
    FUZZ_CHECK(line.size() == expected.size());
    FUZZ_CHECK(line.count(QChar(u'\n')) == expected.count('\n'));
    FUZZ_CHECK(line == Cp1250::decode(expected));
    return 0;
}
