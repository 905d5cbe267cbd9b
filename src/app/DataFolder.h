// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

// The program opens its text files and sounds by bare name in the current directory. At
// start-up it makes its data folder the current directory, found from where the executable
// lies, so that it starts the same from a terminal in any folder, from a launcher or from a
// file manager.
namespace DataFolder {

// The files the program reads by bare name.
extern const QStringList FileNames;

// The folders that may hold the data of the executable at executablePath, in the order they
// are tried: the executable's own folder (a build tree, Windows), ../share/kartak2 and
// ../share/games/kartak2 beside a bin or games folder (Linux and other Unix installs), and
// Contents/Resources when it lies in a macOS bundle's Contents/MacOS. Cleaned absolute paths;
// the file system is not consulted.
QStringList candidates(const QString& executablePath);

// The first candidate that holds at least one of FileNames; empty when none does.
QString find(const QString& executablePath);

// Makes find()'s folder the current directory and returns it. When no folder holds any data
// file the current directory stays as it is (and the program reports each missing file).
QString enter(const QString& executablePath);

} // namespace DataFolder
