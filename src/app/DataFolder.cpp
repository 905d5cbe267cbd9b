// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/DataFolder.h"

#include <QDir>
#include <QFileInfo>

namespace DataFolder {

const QStringList FileNames = {QStringLiteral("version.ktd"), QStringLiteral("about.ktd"),
                               QStringLiteral("Beta.ktd"),    QStringLiteral("tips.ktd"),
                               QStringLiteral("Problem.wav"), QStringLiteral("Success.wav")};

QStringList candidates(const QString& executablePath)
{
    if (executablePath.isEmpty())
        return {};
    const QString path = QDir::cleanPath(QDir::fromNativeSeparators(executablePath));
    const QString folder = QFileInfo(path).path();
    const QString parent = QFileInfo(folder).path(); // the root is its own parent
    const QString name = QStringLiteral(KARTAK_DATA_FOLDER_NAME);
    QStringList folders = {folder};
    folders << QDir::cleanPath(parent + QStringLiteral("/share/") + name)
            << QDir::cleanPath(parent + QStringLiteral("/share/games/") + name);
    if (folder.endsWith(QStringLiteral("/Contents/MacOS")))
        folders << QDir::cleanPath(parent + QStringLiteral("/Resources"));
    folders.removeDuplicates();
    return folders;
}

QString find(const QString& executablePath)
{
    for (const QString& folder : candidates(executablePath)) {
        const QDir dir(folder);
        for (const QString& file : FileNames) {
            if (QFileInfo(dir.filePath(file)).isFile())
                return folder;
        }
    }
    return {};
}

QString enter(const QString& executablePath)
{
    const QString folder = find(executablePath);
    if (!folder.isEmpty() && QDir::setCurrent(folder))
        return folder;
    return {};
}

} // namespace DataFolder
