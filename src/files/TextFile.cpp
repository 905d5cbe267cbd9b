// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/TextFile.h"

#include "files/Cp1250.h"
#include "files/KartakError.h"
#include "files/RegularFile.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>
#include <utility>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace {

constexpr char kEndOfText = '\x1A';
constexpr qint64 kChunk = 64 * 1024;

TextFile::SaveFileFactory g_saveFileFactory;

// The system's number for a file operation that just failed. A failure without one is a full
// device when Qt says the resource ran out, else a plain I/O error.
int systemErrorOf(const QFileDevice& file)
{
    if (errno)
        return errno;
    return file.error() == QFileDevice::ResourceError ? ENOSPC : EIO;
}

// Asks the system to put the written data on the disk; a file system that cannot do that is no
// failure, a device that reports a write error then is.
bool syncToDisk(QFileDevice& file)
{
#ifdef Q_OS_UNIX
    if (::fsync(file.handle()) == 0)
        return true;
    return errno == EINVAL || errno == EROFS || errno == ENOTSUP;
#else
    Q_UNUSED(file);
    return true;
#endif
}

void openForReading(QFile& file)
{
    RegularFile::open(file, QIODevice::ReadOnly);
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
    try {
        RegularFile::open(file, QIODevice::ReadOnly);
    } catch (const KartakError&) {
        throw KartakError(QStringLiteral("Cannot open file %1").arg(fileName));
    }
    return readAllBytes(file);
}

void writeLines(const QString& fileName, const QStringList& lines)
{
    writeBytes(fileName, Cp1250::encodeLines(lines));
}

void writeBytes(const QString& fileName, const QByteArray& bytes)
{
    QFile file(fileName);
    RegularFile::open(file, QIODevice::WriteOnly | QIODevice::Truncate);
    errno = 0;
    if (file.write(bytes) != bytes.size() || !file.flush())
        throw KartakError(QStringLiteral("I/O error %1").arg(systemErrorOf(file)));
    file.close();
}

bool SaveFile::flushToDisk()
{
    return flush() && syncToDisk(*this);
}

void setSaveFileFactory(SaveFileFactory factory)
{
    g_saveFileFactory = std::move(factory);
}

void saveBytes(const QString& fileName, const QByteArray& bytes)
{
    const QFileInfo target(fileName);
    if (target.exists() && (!target.isFile() || !target.isWritable()))
        throw KartakError(QStringLiteral("File access denied"));
    const std::unique_ptr<SaveFile> file =
        g_saveFileFactory ? g_saveFileFactory(fileName) : std::make_unique<SaveFile>(fileName);
    errno = 0;
    // Unbuffered, so every write reaches the system at once and its failure is seen right there.
    if (!file->open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        // A temporary file that could not be made without a reason from the system is a folder
        // the program may not write to.
        RegularFile::throwOpenError(fileName, QIODevice::WriteOnly, errno ? errno : EACCES);
    }
    // Any failure leaves the target as it was: the temporary file goes when `file` does.
    const auto fail = [&file] {
        const int systemError = systemErrorOf(*file);
        file->cancelWriting();
        throw KartakError(QStringLiteral("I/O error %1").arg(systemError));
    };

    for (qsizetype written = 0; written < bytes.size();) {
        const qsizetype size = qMin<qsizetype>(SaveChunkSize, bytes.size() - written);
        errno = 0;
        if (file->write(bytes.constData() + written, size) != size)
            fail();
        written += size;
    }
    errno = 0;
    if (!file->flushToDisk())
        fail();
    errno = 0;
    if (!file->commitFile())
        throw KartakError(QStringLiteral("I/O error %1").arg(systemErrorOf(*file)));
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
