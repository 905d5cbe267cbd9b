// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/CommandLine.h"
#include "app/DataFolder.h"
#include "app/Startup.h"
#include "platform/ProgramInfo.h"
#include "platform/StartupPreload.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    // --help and --version are answered before the application exists: they need no display.
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const CommandLine::Result request = CommandLine::parse(arguments);
    if (request.action == CommandLine::Result::PrintAndExit) {
        CommandLine::print(request);
        return request.exitCode;
    }

    StartupPreload preload;
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("kartak2"));
    // Lets the desktop match the running program to its entry, name "Karták II" and icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("cz.kartak2.Kartak2"));
    // Every start is a start in the program's folder, wherever it was started from.
    DataFolder::enter(QCoreApplication::applicationFilePath());
    preload.finish();
    prepareApplication(app);
    createForms();
    showSplash();
    return runMainLoop(app);
}
