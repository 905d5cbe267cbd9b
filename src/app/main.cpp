#include "ProgramInfo.h"
#include "Startup.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("kartak2"));
    // Lets the desktop match the running program to its entry, name "Karták II" and icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("kartak2"));
    prepareApplication(app);
    createForms();
    showSplash();
    return runMainLoop(app);
}
