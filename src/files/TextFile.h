// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QSaveFile>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

// The program's text files: Windows-1250 on disk, named bare so they are looked up in the
// current directory. Every failure throws KartakError with the runtime's text:
// "File not found", "File access denied", "I/O error %d", "Cannot open file %s". Only regular
// files are read (RegularFile), so a pipe or a device named like a data file cannot stall the
// program.
namespace TextFile {

// The first line of a file, by the version-line rules: everything up to the first CR (a lone LF
// does not end it); a byte 1A hex ends the text. Opens the file for reading only.
QString readFirstLine(const QString& fileName);

// The whole file as lines, split at CR LF, CR or LF, as a memo loads it. A final line end does
// not make an extra empty line. Failure: "Cannot open file <fileName>".
QStringList loadLines(const QString& fileName);

// The whole file's text, line ends kept as they are; and its raw bytes.
QString loadText(const QString& fileName);
QByteArray loadBytes(const QString& fileName);

// Creates or truncates the file and writes each line followed by CR LF.
void writeLines(const QString& fileName, const QStringList& lines);

// Creates or truncates the file and writes the bytes.
void writeBytes(const QString& fileName, const QByteArray& bytes);

// Writes the bytes to a temporary file beside the target and replaces the target only when
// everything is written, so a failed save never leaves a broken file where a good one was.
// Every write, the flush to the disk and the final swap are checked; on a failure (a full disk:
// "I/O error 28") the temporary file is removed and the target stays as it was. A read-only
// target, or one that is not a regular file, is refused with "File access denied".
void saveBytes(const QString& fileName, const QByteArray& bytes);

// saveBytes() hands the bytes to the system in pieces of this size.
inline constexpr qsizetype SaveChunkSize = 4096;

// The file saveBytes() writes: a temporary file beside the target, put on the disk by
// flushToDisk() and swapped in whole by commitFile(). A failing step leaves errno or the
// device's error set, as the system does.
class SaveFile : public QSaveFile
{
public:
    using QSaveFile::QSaveFile;
    virtual bool flushToDisk();
    virtual bool commitFile() { return commit(); }
};

// Makes the file every following saveBytes() writes; an empty factory restores the plain
// SaveFile. Tests hand in files that fail where a full disk or a failing device would.
using SaveFileFactory = std::function<std::unique_ptr<SaveFile>(const QString& fileName)>;
void setSaveFileFactory(SaveFileFactory factory);

// Reads a text file line by line. Reading past the end yields empty lines.
class LineReader
{
public:
    explicit LineReader(const QString& fileName); // throws on failure to open
    ~LineReader();
    LineReader(const LineReader&) = delete;
    LineReader& operator=(const LineReader&) = delete;

    // The next line, ended by CR LF, CR or LF; an empty line once past the end.
    QString readLine();
    bool atEnd() const;

private:
    QByteArray m_bytes; // tips and similar small files are read whole
    qsizetype m_pos = 0;
};

} // namespace TextFile
