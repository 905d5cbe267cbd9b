// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QIODevice>
#include <QString>

class QFile;

// Opening one of the program's files. Only a regular file is opened: a folder, a named pipe, a
// socket or a device named like a data file is refused without ever waiting on it, so no file
// beside the program can stall it. Failures throw KartakError with the runtime's texts: "File
// not found", "File access denied" (also for anything that is not a regular file) or "I/O error
// %d".
namespace RegularFile {

// Opens `file` (its file name set) in `mode`. Writing creates a missing file; Truncate empties an
// existing one only once it is known to be a regular file.
void open(QFile& file, QIODevice::OpenMode mode);

// Throws the runtime's text for a file that could not be opened in `mode` with `systemError`.
[[noreturn]] void throwOpenError(const QString& fileName, QIODevice::OpenMode mode,
                                 int systemError);

enum class Outcome { Opened, Missing, NotRegular, Failed };

// The same without throwing, for callers that report a failure in words of their own (the sound
// player speaks as a sound device does).
Outcome tryOpen(QFile& file, QIODevice::OpenMode mode);

} // namespace RegularFile
