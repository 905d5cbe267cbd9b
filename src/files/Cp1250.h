// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <functional>

// Windows-1250, the single-byte Central European code page every file of the program uses.
// Our own table, so the program does not depend on ICU or on the system's codecs.
namespace Cp1250 {

// Decodes bytes; the five bytes Windows-1250 leaves undefined (81, 83, 88, 90, 98 hex)
// become U+FFFD. Never fails.
QString decode(QByteArrayView bytes);

// The byte for a code point, or -1 when Windows-1250 cannot hold it.
int byteFor(char32_t codePoint);

inline bool canEncode(char32_t codePoint)
{
    return byteFor(codePoint) >= 0;
}

// Encodes text; each code point Windows-1250 cannot hold (a whole surrogate pair counts as one)
// is replaced by what `unmappable` returns for it, or by '?' when no handler is given.
using Unmappable = std::function<QByteArray(char32_t)>;
QByteArray encode(QStringView text, const Unmappable& unmappable = {});

// Encodes lines as a text file holds them: each one, the last included, ended by CR LF.
QByteArray encodeLines(const QStringList& lines, const Unmappable& unmappable = {});

} // namespace Cp1250
