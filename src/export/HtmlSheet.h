// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Character.h"
#include "ProgramInfo.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

// The HTML sheet: the complete character as a small HTML document, 79 lines of Windows-1250
// text each ended by CR LF. Every inserted value has its markup characters escaped, and a
// control character or a character Windows-1250 cannot hold is written as a numeric character
// reference, so whatever the user typed neither breaks the document nor gets lost.
namespace HtmlSheet {

// The author's addresses, written into the comments of lines 7 and 8.
struct Author
{
    QString web = ProgramInfo::AuthorWeb;
    QString email = ProgramInfo::AuthorEmail;
};

// What one sheet is written from: the sheet fields' captions, the generation results, the
// money slider's position and the program's version text.
struct Input
{
    SheetTexts sheet;
    CombatNumbers combat;
    int money = 0;
    QString versionText;
    Author author;
};

// The 79 lines as text, without line ends. Inserted values are already escaped ("&amp;",
// "&lt;", "&gt;", "&quot;", "&#10;" for a line feed); characters outside Windows-1250 are still
// as typed.
QStringList lines(const Input& input);

// The file's bytes: the lines in Windows-1250, each followed by CR LF, with "&#<code point>;"
// for every character the code page lacks.
QByteArray bytes(const Input& input);

// The bytes of already built lines, encoded as bytes() does.
QByteArray encode(const QStringList& lines);

} // namespace HtmlSheet
