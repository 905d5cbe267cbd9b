// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// Values that belong to the whole program.
namespace ProgramInfo {

// Set once, before any window is created; the caption of every message box.
inline const QString ApplicationTitle = QStringLiteral("Karták II");

// Our own addresses, shown in the About text and written into the HTML sheet.
inline const QString AuthorName = QStringLiteral("Tým Karták II");
inline const QString AuthorEmail = QStringLiteral("info@kartak2.cz");
inline const QString AuthorWeb = QStringLiteral("https://www.kartak2.cz");

} // namespace ProgramInfo

// The first line of "version.ktd", read once at start-up by the main menu; empty until then
// and when the file could not be read.
extern QString VersionText;
