// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "rules/Character.h"

#include <QByteArray>

// The plain-text sheet for the clipboard: the personal part of the character in 22 lines.
// Values go in as the sheet fields hold them; it is plain text, so nothing is escaped, but a
// control character (a line break above all) becomes a space and the sheet keeps its 22 lines.
namespace PlainTextSheet {

// The 22 lines in Windows-1250, each followed by CR LF; a character the code page lacks
// becomes "?". `money` is the money slider's position.
QByteArray bytes(const SheetTexts& sheet, int money);

} // namespace PlainTextSheet
