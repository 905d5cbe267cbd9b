// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QList>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>

// A working folder of the test's own, made the current directory for the test's lifetime, with
// exactly the data files the test asks for.
class Workspace
{
public:
    explicit Workspace(const QStringList& dataFiles = {QStringLiteral("Problem.wav"),
                                                       QStringLiteral("Success.wav")})
        : m_previous(QDir::currentPath())
    {
        const QString dataDir = qEnvironmentVariable("KARTAK_DATA_DIR");
        for (const QString& name : dataFiles) {
            if (!QFile::copy(dataDir + QLatin1Char('/') + name, path(name)))
                qFatal("cannot copy %s from KARTAK_DATA_DIR", qPrintable(name));
        }
        QDir::setCurrent(m_dir.path());
    }
    ~Workspace() { QDir::setCurrent(m_previous); }
    Workspace(const Workspace&) = delete;
    Workspace& operator=(const Workspace&) = delete;

    QString path(const QString& name = {}) const
    {
        return name.isEmpty() ? m_dir.path() : m_dir.filePath(name);
    }

    // Lines in Windows-1250 (ASCII here), each ended by CR LF.
    void writeLines(const QString& name, const QList<QByteArray>& lines) const
    {
        QByteArray bytes;
        for (const QByteArray& line : lines)
            bytes += line + "\r\n";
        writeBytes(name, bytes);
    }

    void writeBytes(const QString& name, const QByteArray& bytes) const
    {
        QFile file(path(name));
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
            file.write(bytes) != bytes.size())
            qFatal("cannot write %s", qPrintable(name));
    }

    QByteArray readBytes(const QString& name) const
    {
        QFile file(path(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

private:
    QString m_previous;
    QTemporaryDir m_dir;
};

// Picks an item as a user does with the keyboard: one arrow press onto it, which runs the list's
// change handler exactly once.
inline void chooseByUser(QComboBox* list, int index)
{
    if (index > 0) {
        list->setCurrentIndex(index - 1);
        QTest::keyClick(list, Qt::Key_Down);
    } else {
        list->setCurrentIndex(1);
        QTest::keyClick(list, Qt::Key_Up);
    }
}
