// SPDX-License-Identifier: GPL-3.0-or-later
#include "TextFile.h"

#include "Cp1250.h"
#include "KartakError.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>

namespace {

constexpr char kEndOfText = '\x1A';
constexpr qint64 kChunk = 64 * 1024;

// The runtime's texts for a file that cannot be opened or used.
[[noreturn]] void throwFileError(const QFileDevice& file, int systemError)
{
    if (!QFileInfo::exists(file.fileName()))
        throw KartakError(QStringLiteral("File not found"));
    if (file.error() == QFileDevice::PermissionsError || systemError == EACCES
        || systemError == EPERM || systemError == EISDIR || QFileInfo(file.fileName()).isDir())
        throw KartakError(QStringLiteral("File access denied"));
    throw KartakError(QStringLiteral("I/O error %1").arg(systemError ? systemError : EIO));
}

void openForReading(QFile& file)
{
    errno = 0;
    if (QFileInfo(file.fileName()).isDir() || !file.open(QIODevice::ReadOnly))
        throwFileError(file, errno);
}

QByteArray readAllBytes(QFile& file)
{
    QByteArray bytes;
    while (!file.atEnd()) {
        errno = 0;
        const QByteArray chunk = file.read(kChunk);
        if (chunk.isEmpty() && file.error() != QFileDevice::NoError)
            throw KartakError(QStringLiteral("I/O error %1").arg(errno ? errno : EIO));
        if (chunk.isEmpty())
            break;
        bytes += chunk;
    }
    return bytes;
}

// Splits at CR LF, CR or LF; a final line end makes no extra empty line.
QStringList splitLines(const QByteArray& bytes)
{
    QStringList lines;
    qsizetype start = 0;
    const qsizetype size = bytes.size();
    for (qsizetype i = 0; i < size; ++i) {
        const char c = bytes[i];
        if (c != '\r' && c != '\n')
            continue;
        lines.append(Cp1250::decode(QByteArrayView(bytes).sliced(start, i - start)));
        if (c == '\r' && i + 1 < size && bytes[i + 1] == '\n')
            ++i;
        start = i + 1;
    }
    if (start < size)
        lines.append(Cp1250::decode(QByteArrayView(bytes).sliced(start)));
    return lines;
}

} // namespace

namespace TextFile {

QString readFirstLine(const QString& fileName)
{
    QFile file(fileName);
    openForReading(file);
    QByteArray line;
    while (!file.atEnd()) {
        errno = 0;
        const QByteArray chunk = file.read(kChunk);
        if (chunk.isEmpty()) {
            if (file.error() != QFileDevice::NoError)
                throw KartakError(QStringLiteral("I/O error %1").arg(errno ? errno : EIO));
            break;
        }
        qsizetype end = chunk.size();
        for (qsizetype i = 0; i < chunk.size(); ++i) {
            if (chunk[i] == '\r' || chunk[i] == kEndOfText) {
                end = i;
                break;
            }
        }
        line += chunk.left(end);
        if (end < chunk.size())
            break;
    }
    return Cp1250::decode(line);
}

QStringList loadLines(const QString& fileName)
{
    return splitLines(loadBytes(fileName));
}

QString loadText(const QString& fileName)
{
    return Cp1250::decode(loadBytes(fileName));
}

QByteArray loadBytes(const QString& fileName)
{
    QFile file(fileName);
    if (QFileInfo(fileName).isDir() || !file.open(QIODevice::ReadOnly))
        throw KartakError(QStringLiteral("Cannot open file %1").arg(fileName));
    return readAllBytes(file);
}

void writeLines(const QString& fileName, const QStringList& lines)
{
    writeBytes(fileName, Cp1250::encodeLines(lines));
}

void writeBytes(const QString& fileName, const QByteArray& bytes)
{
    QFile file(fileName);
    errno = 0;
    if (QFileInfo(fileName).isDir() || !file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        const int systemError = errno;
        if (systemError == ENOENT && !QFileInfo(QFileInfo(fileName).absolutePath()).isDir())
            throw KartakError(QStringLiteral("Path not found"));
        if (systemError == ENOENT || systemError == EACCES || systemError == EPERM
            || systemError == EROFS || systemError == EISDIR || QFileInfo(fileName).isDir())
            throw KartakError(QStringLiteral("File access denied"));
        throw KartakError(QStringLiteral("I/O error %1").arg(systemError ? systemError : EIO));
    }
    errno = 0;
    if (file.write(bytes) != bytes.size() || !file.flush())
        throw KartakError(QStringLiteral("I/O error %1").arg(errno ? errno : EIO));
    file.close();
}

void saveBytes(const QString& fileName, const QByteArray& bytes)
{
    const QFileInfo target(fileName);
    if (target.isDir() || (target.exists() && !target.isWritable()))
        throw KartakError(QStringLiteral("File access denied"));
    QSaveFile file(fileName);
    errno = 0;
    if (!file.open(QIODevice::WriteOnly)) {
        const int systemError = errno;
        if (systemError == ENOENT && !QFileInfo(target.absolutePath()).isDir())
            throw KartakError(QStringLiteral("Path not found"));
        if (systemError == 0 || systemError == EACCES || systemError == EPERM
            || systemError == EROFS || systemError == ENOENT)
            throw KartakError(QStringLiteral("File access denied"));
        throw KartakError(QStringLiteral("I/O error %1").arg(systemError));
    }
    errno = 0;
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        throw KartakError(QStringLiteral("I/O error %1").arg(errno ? errno : EIO));
    }
    errno = 0;
    if (!file.commit())
        throw KartakError(QStringLiteral("I/O error %1").arg(errno ? errno : EIO));
}

LineReader::LineReader(const QString& fileName)
{
    QFile file(fileName);
    openForReading(file);
    m_bytes = readAllBytes(file);
}

LineReader::~LineReader() = default;

bool LineReader::atEnd() const
{
    return m_pos >= m_bytes.size();
}

QString LineReader::readLine()
{
    const qsizetype size = m_bytes.size();
    const qsizetype start = m_pos;
    qsizetype i = start;
    while (i < size && m_bytes[i] != '\r' && m_bytes[i] != '\n')
        ++i;
    const QString line = Cp1250::decode(QByteArrayView(m_bytes).sliced(start, i - start));
    if (i < size && m_bytes[i] == '\r')
        ++i;
    if (i < size && m_bytes[i] == '\n')
        ++i;
    m_pos = i;
    return line;
}

} // namespace TextFile
