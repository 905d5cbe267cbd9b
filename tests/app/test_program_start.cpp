// SPDX-License-Identifier: GPL-3.0-or-later
// Starts the built program as a user would, from folders other than its own.
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QStringList kDataFiles = {"version.ktd", "about.ktd",   "Beta.ktd",
                                "tips.ktd",    "Problem.wav", "Success.wav"};

QString builtProgram()
{
    return QStringLiteral(KARTAK_PROGRAM);
}

// Copies the built program to path, keeping it executable.
bool copyProgram(const QString& path)
{
    return QDir().mkpath(QFileInfo(path).path()) && QFile::copy(builtProgram(), path) &&
           QFile::setPermissions(path, QFile::permissions(builtProgram()));
}

bool copyData(const QString& folder)
{
    if (!QDir().mkpath(folder))
        return false;
    const QDir data(qEnvironmentVariable("KARTAK_DATA_DIR"));
    for (const QString& name : kDataFiles) {
        if (!QFile::copy(data.filePath(name), QDir(folder).filePath(name)))
            return false;
    }
    return true;
}

// The error boxes the program showed within its first three seconds (past the splash), read
// from its standard error, where each box is also written as "Karták II: <text>".
QStringList errorBoxesOfAStart(const QString& program, const QString& workingFolder)
{
    QProcess process;
    process.setWorkingDirectory(workingFolder);
    process.start(program, {});
    if (!process.waitForStarted(10000))
        return {"did not start: " + process.errorString()};
    process.waitForFinished(3000);
    const bool stillRunning = process.state() == QProcess::Running;
    process.kill();
    process.waitForFinished(5000);
    QStringList boxes;
    const QString prefix = QStringLiteral("Karták II: ");
    for (const QString& line : QString::fromUtf8(process.readAllStandardError()).split('\n')) {
        if (line.startsWith(prefix))
            boxes << line.mid(prefix.size());
    }
    if (!stillRunning)
        boxes << QStringLiteral("ended by itself with status %1").arg(process.exitCode());
    return boxes;
}

struct Output
{
    int exitCode = -1;
    QString out;
    QString err;
};

Output run(const QStringList& arguments)
{
    QProcess process;
    process.setWorkingDirectory(QDir::rootPath());
    // Printing the version or the help needs no display at all.
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove("QT_QPA_PLATFORM");
    environment.remove("DISPLAY");
    environment.remove("WAYLAND_DISPLAY");
    process.setProcessEnvironment(environment);
    process.start(builtProgram(), arguments);
    process.waitForFinished(10000);
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

} // namespace

class TestProgramStart : public QObject
{
    Q_OBJECT
    QTemporaryDir m_dir;

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        QVERIFY(QFile::exists(builtProgram()));
    }

    // Where the program lies, its data, and the folder it is started from.
    void startsWithItsDataFromAnyFolder_data()
    {
        QTest::addColumn<QString>("program");
        QTest::addColumn<QString>("data");
        QTest::addColumn<QString>("from");
        QTest::addColumn<QStringList>("boxes");
        const QStringList none;
        QTest::newRow("built, from /") << ""
                                       << ""
                                       << "/" << none;
        QTest::newRow("built, from home") << ""
                                          << "" << QDir::homePath() << none;
        QTest::newRow("installed, from /") << "usr/games/kartak2"
                                           << "usr/share/games/kartak2"
                                           << "/" << none;
        QTest::newRow("installed, from a data-less folder") << "usr/games/kartak2"
                                                            << "usr/share/games/kartak2"
                                                            << "@empty" << none;
        QTest::newRow("bin and share") << "opt/bin/kartak2"
                                       << "opt/share/kartak2"
                                       << "/" << none;
        // Without data anywhere the missing files are reported, as before; the first box
        // waits for its OK.
        QTest::newRow("no data") << "lonely/kartak2"
                                 << ""
                                 << "@empty" << QStringList{"File not found."};
    }
    void startsWithItsDataFromAnyFolder()
    {
        QFETCH(QString, program);
        QFETCH(QString, data);
        QFETCH(QString, from);
        QFETCH(QStringList, boxes);
        const QString root = m_dir.filePath(QString::fromLatin1(QTest::currentDataTag()));
        QString executable = builtProgram();
        if (!program.isEmpty()) {
            executable = QDir(root).filePath(program);
            QVERIFY(copyProgram(executable));
        }
        if (!data.isEmpty())
            QVERIFY(copyData(QDir(root).filePath(data)));
        if (from == "@empty") {
            from = QDir(root).filePath("somewhere");
            QVERIFY(QDir().mkpath(from));
        }
        QCOMPARE(errorBoxesOfAStart(executable, from), boxes);
    }

    void versionPrintsTheVersionLine()
    {
        QFile file(QDir(qEnvironmentVariable("KARTAK_DATA_DIR")).filePath("version.ktd"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QString line = QString::fromLatin1(file.readLine()).trimmed();
        QVERIFY(!line.isEmpty());
        for (const char* option : {"--version", "-v"}) {
            const Output output = run({option});
            QCOMPARE(output.exitCode, 0);
            QCOMPARE(output.out, "kartak2 " + line + "\n");
            QCOMPARE(output.err, QString());
        }
    }

    void helpAndMistakes_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("out");
        QTest::addColumn<QString>("err");
        QTest::newRow("--help") << QStringList{"--help"} << 0 << QStringLiteral("Použití: kartak2")
                                << "";
        QTest::newRow("unknown") << QStringList{"--fullscreen"} << 2 << ""
                                 << QStringLiteral("kartak2: neznámá volba: fullscreen");
        QTest::newRow("a file") << QStringList{"postava.html"} << 2 << ""
                                << "kartak2: ";
    }
    void helpAndMistakes()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, exitCode);
        QFETCH(QString, out);
        QFETCH(QString, err);
        const Output output = run(arguments);
        QCOMPARE(output.exitCode, exitCode);
        QVERIFY2(out.isEmpty() ? output.out.isEmpty() : output.out.startsWith(out),
                 qPrintable(output.out));
        QVERIFY2(err.isEmpty() ? output.err.isEmpty() : output.err.startsWith(err),
                 qPrintable(output.err));
    }
};

QTEST_GUILESS_MAIN(TestProgramStart)
#include "test_program_start.moc"
