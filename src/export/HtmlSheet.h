// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "rules/Character.h"

#include <QByteArray>
#include <QString>

// The HTML sheet: the complete character as a small HTML document, 79 lines of Windows-1250
// text each ended by CR LF. Every inserted value has its markup characters escaped, and a
// control character or a character Windows-1250 cannot hold is written as a numeric character
// reference, so whatever the user typed neither breaks the document nor gets lost.
namespace HtmlSheet {

// The author's addresses, written into the comments of lines 7 and 8.
struct Author
{
    QString web;
    QString email;
};

// What one sheet is written from: the sheet fields' captions, the generation results, the
// money slider's position, the program's version text and the author's addresses.
struct Input
{
    SheetTexts sheet;
    CombatNumbers combat;
    int money = 0;
    QString versionText;
    Author author;
};

// The file's bytes: 79 lines in Windows-1250, each followed by CR LF. Inserted values are
// escaped ("&amp;", "&lt;", "&gt;", "&quot;", "&#10;" for a line feed), and every character the
// code page lacks is written as "&#<code point>;".
QByteArray bytes(const Input& input);

} // namespace HtmlSheet
