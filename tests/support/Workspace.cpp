// SPDX-License-Identifier: GPL-3.0-or-later
#include "Workspace.h"

#include "files/KartakError.h"

#include <QDir>
#include <QFile>
#include <QTest>

Workspace::Workspace(const QStringList& dataFiles) : m_previous(QDir::currentPath())
{
    const QString dataDir = qEnvironmentVariable("KARTAK_DATA_DIR");
    for (const QString& name : dataFiles) {
        if (!QFile::copy(dataDir + QLatin1Char('/') + name, path(name)))
            qFatal("cannot copy %s from KARTAK_DATA_DIR", qPrintable(name));
    }
    QDir::setCurrent(m_dir.path());
}

Workspace::~Workspace()
{
    QDir::setCurrent(m_previous);
}

QString Workspace::path(const QString& name) const
{
    return name.isEmpty() ? m_dir.path() : m_dir.filePath(name);
}

void Workspace::writeLines(const QString& name, const QList<QByteArray>& lines) const
{
    QByteArray bytes;
    for (const QByteArray& line : lines)
        bytes += line + "\r\n";
    writeBytes(name, bytes);
}

void Workspace::writeBytes(const QString& name, const QByteArray& bytes) const
{
    QFile file(path(name));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(name));
}

QByteArray Workspace::readBytes(const QString& name) const
{
    QFile file(path(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeRaw(const QString& name, const QByteArray& bytes)
{
    QFile file(name);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(file.write(bytes), bytes.size());
}

QString errorOf(const std::function<void()>& step)
{
    try {
        step();
    } catch (const KartakError& error) {
        return error.text();
    }
    return {};
}
