// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <functional>

// The data files the program opens by bare name, as the build puts them beside it.
inline const QStringList AllDataFiles = {"version.ktd", "about.ktd",   "Beta.ktd",
                                         "tips.ktd",    "Problem.wav", "Success.wav"};

// A working folder of the test's own, made the current directory for the test's lifetime, with
// exactly the data files the test asks for, copied from KARTAK_DATA_DIR.
class Workspace
{
public:
    explicit Workspace(const QStringList& dataFiles = {QStringLiteral("Problem.wav"),
                                                       QStringLiteral("Success.wav")});
    ~Workspace();
    Workspace(const Workspace&) = delete;
    Workspace& operator=(const Workspace&) = delete;

    QString path(const QString& name = {}) const;

    // Lines in Windows-1250 (ASCII here), each ended by CR LF.
    void writeLines(const QString& name, const QList<QByteArray>& lines) const;
    void writeBytes(const QString& name, const QByteArray& bytes) const;
    QByteArray readBytes(const QString& name) const;

private:
    QString m_previous;
    QTemporaryDir m_dir;
};

// The text of the KartakError that `step` throws; empty when it throws none.
QString errorOf(const std::function<void()>& step);

// Creates or truncates the file (relative to the current directory) with exactly these bytes;
// the test fails when it cannot.
void writeRaw(const QString& name, const QByteArray& bytes);
