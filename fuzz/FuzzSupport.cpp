// SPDX-License-Identifier: GPL-3.0-or-later
#include "FuzzSupport.h"

#include <QFile>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>

namespace {

constexpr qsizetype kChunkMark = 64 * 1024;

const QString& scratchPath()
{
    static QTemporaryDir dir;
    static const QString path = [] {
        if (!dir.isValid())
            FuzzSupport::fail("scratch directory could not be created", __FILE__, __LINE__);
        return dir.filePath(QStringLiteral("input.ktd"));
    }();
    return path;
}

} // namespace

namespace FuzzSupport {

void fail(const char* condition, const char* file, int line)
{
    std::fprintf(stderr, "%s:%d: check failed: %s\n", file, line, condition);
    std::fflush(stderr);
    std::abort();
}

QByteArray fileBytes(const std::uint8_t* data, std::size_t size)
{
    const auto* chars = reinterpret_cast<const char*>(data);
    if (size < 2 || data[0] != 0xFF)
        return QByteArray(chars, qsizetype(size));
    const qsizetype padding = kChunkMark - 64 + data[1] % 128;
    QByteArray bytes(padding, 'x');
    bytes.append(chars + 2, qsizetype(size - 2));
    return bytes;
}

QString writeScratchFile(const QByteArray& bytes)
{
    const QString& path = scratchPath();
    std::FILE* file = std::fopen(QFile::encodeName(path).constData(), "wb");
    FUZZ_CHECK(file != nullptr);
    const std::size_t written = std::fwrite(bytes.constData(), 1, std::size_t(bytes.size()), file);
    FUZZ_CHECK(std::fclose(file) == 0);
    FUZZ_CHECK(written == std::size_t(bytes.size()));
    return path;
}

QList<QByteArray> referenceLines(const QByteArray& bytes)
{
    QList<QByteArray> lines;
    QByteArray current;
    bool afterCr = false;
    for (const char c : bytes) {
        const bool lfOfCrLf = afterCr && c == '\n';
        afterCr = false;
        if (lfOfCrLf)
            continue;
        if (c == '\r' || c == '\n') {
            lines.append(current);
            current.clear();
            afterCr = c == '\r';
        } else {
            current.append(c);
        }
    }
    if (!current.isEmpty())
        lines.append(current);
    return lines;
}

} // namespace FuzzSupport
