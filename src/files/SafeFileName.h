// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringView>

// A file name made from a character's name, fit to be proposed in the save dialog. The dialog
// reads double quotes as a list of names and common file systems refuse or treat specially
// `"` `/` `\` `:` `*` `?` `<` `>` `|` and control characters, so each of those becomes "_";
// leading and trailing spaces and dots are dropped (a leading dot hides a file, trailing ones
// vanish on some systems); and the result is cut, never inside a character, so that with
// `extension` appended it is at most MaxFileNameBytes bytes of UTF-8, which every common file
// system takes. A result with a dot in it, which the dialog would take for a file type of its
// own, gets `extension` appended. An empty result stays empty.
QString safeFileName(QStringView name, QStringView extension);

inline constexpr qsizetype MaxFileNameBytes = 255;
