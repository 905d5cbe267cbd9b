// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/ProgramModule.h"

#include <QCoreApplication>
#include <QLibrary>

namespace ProgramModule {

QFunctionPointer resolve(const char* fileName, const char* symbol)
{
    const QString folder = QCoreApplication::applicationDirPath();
    const QString installed = folder + QStringLiteral("/../lib/kartak2/modules");
    for (const QString& candidate : {folder, installed}) {
        QLibrary module(candidate + u'/' + QString::fromUtf8(fileName));
        if (module.load())
            return module.resolve(symbol);
    }
    return nullptr;
}

} // namespace ProgramModule
