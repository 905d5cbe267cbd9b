// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Character.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

// The plain-text sheet for the clipboard: the personal part of the character in 22 lines.
// Values go in as the sheet fields hold them; it is plain text, so nothing is escaped, but a
// control character (a line break above all) becomes a space and the sheet keeps its 22 lines.
namespace PlainTextSheet {

// The 22 lines without line ends. `money` is the money slider's position.
QStringList lines(const SheetTexts& sheet, int money);

// The lines in Windows-1250, each followed by CR LF; a character the code page lacks
// becomes "?".
QByteArray bytes(const SheetTexts& sheet, int money);

// The bytes of already built lines, encoded as bytes() does.
QByteArray encode(const QStringList& lines);

} // namespace PlainTextSheet
