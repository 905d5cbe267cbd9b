// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

// The program's command line: it takes only --help and --version (besides the options every
// Qt program understands, such as -platform or -style, which are left to Qt). Read before the
// application object exists, so that both answers need no display.
namespace CommandLine {

struct Result
{
    enum Action { Run, PrintAndExit };
    Action action = Run;
    int exitCode = 0;
    // For PrintAndExit: the text and whether it goes to standard error.
    QString text;
    bool toStandardError = false;
};

// The version line printed for --version: "kartak2 " and the line of version.ktd.
QString versionText();
// The usage text printed for --help, in Czech.
QString helpText();

// arguments as in argv, the program's name first.
Result parse(const QStringList& arguments);

// Prints a PrintAndExit result's text.
void print(const Result& result);

} // namespace CommandLine
