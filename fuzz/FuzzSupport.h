// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <cstddef>
#include <cstdint>

// Helpers shared by the fuzz targets: a scratch file for the readers that take a file name,
// a plain reference splitter, and a check that stops the run with the failing condition.
namespace FuzzSupport {

[[noreturn]] void fail(const char* condition, const char* file, int line);

// The file a reader is given. Most inputs are the file verbatim; an input starting with FF hex
// is the rest of it placed just before or after the 64 KiB mark (the second byte chooses
// where), so the readers' chunk boundaries get exercised without huge inputs.
QByteArray fileBytes(const std::uint8_t* data, std::size_t size);

// Writes the bytes to this process's scratch file and returns its path.
QString writeScratchFile(const QByteArray& bytes);

// The lines of a text, each ended by CR LF, CR or LF; a final line end makes no extra line.
QList<QByteArray> referenceLines(const QByteArray& bytes);

} // namespace FuzzSupport

#define FUZZ_CHECK(condition)                                                                      \
    do {                                                                                           \
        if (!(condition))                                                                          \
            FuzzSupport::fail(#condition, __FILE__, __LINE__);                                     \
    } while (false)
