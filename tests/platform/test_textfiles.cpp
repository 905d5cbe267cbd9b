// SPDX-License-Identifier: GPL-3.0-or-later
#include "FailDevice.h"
#include "NonRegularFiles.h"
#include "Workspace.h"
#include "files/Cp1250.h"
#include "files/KartakError.h"
#include "files/RegularFile.h"
#include "files/SafeFileName.h"
#include "files/TextFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <cerrno>
#include <functional>

#ifdef Q_OS_UNIX
#include <csignal>
#include <sys/resource.h>
#endif

namespace {

// A sheet of `size` bytes of readable lines, as the save writes one.
QByteArray sheetBytes(qsizetype size)
{
    QByteArray bytes;
    while (bytes.size() < size)
        bytes += "<TD>line " + QByteArray::number(bytes.size()) + "</TD>\r\n";
    return bytes.left(size);
}

using TextFileStep = std::function<void(const QString&)>;

#ifdef Q_OS_UNIX
// While it lives, no file of this process may grow past `bytes`: a write beyond it fails with
// EFBIG, as writes onto a full disk fail, and the signal that would end the process is ignored.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &m_previous);
        m_previousHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = m_previous;
        limit.rlim_cur = bytes;
        m_set = setrlimit(RLIMIT_FSIZE, &limit) == 0;
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &m_previous);
        std::signal(SIGXFSZ, m_previousHandler);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;
    bool isSet() const { return m_set; }

private:
    rlimit m_previous{};
    void (*m_previousHandler)(int) = nullptr;
    bool m_set = false;
};
#endif

} // namespace

Q_DECLARE_METATYPE(SaveStep)
Q_DECLARE_METATYPE(TextFileStep)
Q_DECLARE_METATYPE(QIODevice::OpenMode)

class TestTextFiles : public QObject
{
    Q_OBJECT
    Workspace m_workspace{QStringList{}};

private slots:

    void decodesTheCodePage_data()
    {
        QTest::addColumn<int>("byte");
        QTest::addColumn<int>("codePoint");
        // Czech letters and the code page's oddities, checked against the published table.
        const QList<QPair<int, int>> rows = {
            {0x41, 'A'},    {0x80, 0x20AC}, {0x8A, 0x0160}, {0x8D, 0x0164}, {0x8E, 0x017D},
            {0x9A, 0x0161}, {0x9D, 0x0165}, {0x9E, 0x017E}, {0xA0, 0x00A0}, {0xC1, 0x00C1},
            {0xC8, 0x010C}, {0xC9, 0x00C9}, {0xCC, 0x011A}, {0xCD, 0x00CD}, {0xCF, 0x010E},
            {0xD2, 0x0147}, {0xD3, 0x00D3}, {0xD8, 0x0158}, {0xD9, 0x016E}, {0xDA, 0x00DA},
            {0xDD, 0x00DD}, {0xE1, 0x00E1}, {0xE8, 0x010D}, {0xE9, 0x00E9}, {0xEC, 0x011B},
            {0xED, 0x00ED}, {0xEF, 0x010F}, {0xF2, 0x0148}, {0xF3, 0x00F3}, {0xF8, 0x0159},
            {0xF9, 0x016F}, {0xFA, 0x00FA}, {0xFD, 0x00FD}, {0xFF, 0x02D9}, {0x96, 0x2013},
            {0x84, 0x201E}, {0x93, 0x201C}, {0x81, 0xFFFD}, {0x83, 0xFFFD}, {0x88, 0xFFFD},
            {0x90, 0xFFFD}, {0x98, 0xFFFD},
        };
        for (const auto& [byte, codePoint] : rows)
            QTest::addRow("%02X", byte) << byte << codePoint;
    }
    void decodesTheCodePage()
    {
        QFETCH(int, byte);
        QFETCH(int, codePoint);
        const QString text = Cp1250::decode(QByteArray(1, char(byte)));
        QCOMPARE(text.size(), 1);
        QCOMPARE(int(text[0].unicode()), codePoint);
        if (codePoint != 0xFFFD)
            QCOMPARE(Cp1250::encode(text), QByteArray(1, char(byte)));
    }

    void encodesEveryByteBack()
    {
        for (int byte = 0; byte < 256; ++byte) {
            const QString text = Cp1250::decode(QByteArray(1, char(byte)));
            if (text[0].unicode() == 0xFFFD)
                continue;
            QCOMPARE(Cp1250::encode(text), QByteArray(1, char(byte)));
        }
    }

    void replacesWhatItCannotHold()
    {
        const QString text = QStringLiteral("aЖ😀b");
        QCOMPARE(Cp1250::encode(text), QByteArray("a??b"));
        const auto reference = [](char32_t cp) {
            return "&#" + QByteArray::number(uint(cp)) + ';';
        };
        QCOMPARE(Cp1250::encode(text, reference), QByteArray("a&#1046;&#128512;b"));
    }

    void readsTheVersionLine_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("line");
        QTest::newRow("CR LF") << QByteArray("1.2 beta\r\nsecond\r\n") << "1.2 beta";
        QTest::newRow("lone LF does not end it") << QByteArray("a\nb\r\nc") << "a\nb";
        QTest::newRow("no CR") << QByteArray("whole\ntext") << "whole\ntext";
        QTest::newRow("lone CR") << QByteArray("x\ry") << "x";
        QTest::newRow("1A ends the text") << QByteArray("ab\x1A"
                                                        "cd\r\n")
                                          << "ab";
        QTest::newRow("empty") << QByteArray() << "";
        QTest::newRow("Czech") << QByteArray("Verze \xE8\xEC\xF8\r\n")
                               << QStringLiteral("Verze čěř");
        QTest::newRow("undefined byte") << QByteArray("a\x81") << QStringLiteral("a\uFFFD");
    }
    void readsTheVersionLine()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, line);
        writeRaw("version.ktd", bytes);
        QCOMPARE(TextFile::readFirstLine("version.ktd"), line);
    }

    void takesALongFirstLineWhole()
    {
        const QByteArray longLine(10 * 1024 * 1024, 'v');
        writeRaw("long.ktd", longLine + "\r\nrest");
        QCOMPARE(TextFile::readFirstLine("long.ktd").size(), longLine.size());
    }

    void readsAReadOnlyVersionFile()
    {
        writeRaw("ro.ktd", "7.0\r\n");
        QFile::setPermissions("ro.ktd", QFile::ReadOwner | QFile::ReadUser);
        QCOMPARE(TextFile::readFirstLine("ro.ktd"), QStringLiteral("7.0"));
    }

    void reportsFailuresWithTheRuntimeTexts()
    {
        QCOMPARE(errorOf([] { TextFile::readFirstLine("missing.ktd"); }), "File not found");
        QDir().mkdir("folder.ktd");
        QCOMPARE(errorOf([] { TextFile::readFirstLine("folder.ktd"); }), "File access denied");
        QCOMPARE(errorOf([] { TextFile::loadLines("Beta.ktd"); }), "Cannot open file Beta.ktd");
        QCOMPARE(errorOf([] { TextFile::loadLines("folder.ktd"); }), "Cannot open file folder.ktd");
        QCOMPARE(errorOf([] { TextFile::LineReader reader("tips.ktd"); }), "File not found");
        QCOMPARE(errorOf([] { TextFile::writeLines("folder.ktd", {"x"}); }), "File access denied");
    }

    void loadsLinesAtAnyLineEnd_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("CR LF") << QByteArray("a\r\nb\r\n") << QStringList{"a", "b"};
        QTest::newRow("LF") << QByteArray("a\nb") << QStringList{"a", "b"};
        QTest::newRow("CR") << QByteArray("a\rb\r") << QStringList{"a", "b"};
        QTest::newRow("mixed, empty lines")
            << QByteArray("a\r\n\r\n\nb") << QStringList{"a", "", "", "b"};
        QTest::newRow("empty file") << QByteArray() << QStringList{};
        QTest::newRow("garbage") << QByteArray("\x00\xFF\x90\r\n", 5)
                                 << QStringList{QString(QChar(0)) + QStringLiteral("˙\uFFFD")};
    }
    void loadsLinesAtAnyLineEnd()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, lines);
        writeRaw("lines.ktd", bytes);
        QCOMPARE(TextFile::loadLines("lines.ktd"), lines);
    }

    void readsLinesPastTheEndAsEmpty()
    {
        writeRaw("tips.ktd", "A\r\nB\r\n");
        TextFile::LineReader reader("tips.ktd");
        QCOMPARE(reader.readLine(), "A");
        QCOMPARE(reader.readLine(), "B");
        QVERIFY(reader.atEnd());
        QCOMPARE(reader.readLine(), "");
        QCOMPARE(reader.readLine(), "");
    }

    void writesLinesWithCrLf()
    {
        TextFile::writeLines("out.ktd", {QStringLiteral("Jméno: Žofie"), QString()});
        QFile file("out.ktd");
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray("Jm\xE9no: \x8Eofie\r\n\r\n"));
    }

    void saveKeepsTheOldFileWhenItCannotWrite()
    {
        QDir().mkdir("locked");
        writeRaw("locked/sheet.htm", "old sheet");
        QFile::setPermissions("locked", QFile::ReadOwner | QFile::ExeOwner);
        if (QFile("locked/probe").open(QIODevice::WriteOnly))
            QSKIP("running with rights that ignore folder permissions");
        QCOMPARE(errorOf([] { TextFile::saveBytes("locked/sheet.htm", "new"); }),
                 "File access denied");
        QFile::setPermissions("locked", QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QCOMPARE(TextFile::loadBytes("locked/sheet.htm"), QByteArray("old sheet"));
    }

    void saveReplacesTheWholeFile()
    {
        writeRaw("sheet.htm", QByteArray(1000, 'x'));
        TextFile::saveBytes("sheet.htm", "short");
        QCOMPARE(TextFile::loadBytes("sheet.htm"), QByteArray("short"));
        QFile::setPermissions("sheet.htm", QFile::ReadOwner);
        if (QFileInfo("sheet.htm").isWritable())
            QSKIP("running with rights that ignore file permissions");
        QCOMPARE(errorOf([] { TextFile::saveBytes("sheet.htm", "other"); }), "File access denied");
        QCOMPARE(TextFile::loadBytes("sheet.htm"), QByteArray("short"));
    }

    // Whatever step of a save fails, the old sheet stays byte for byte and no temporary file is
    // left beside it.
    void failedSaveKeepsTheOldFile_data()
    {
        QTest::addColumn<qsizetype>("size");
        QTest::addColumn<SaveStep>("step");
        QTest::addColumn<int>("writeNumber");
        QTest::addColumn<int>("systemError");
        QTest::addColumn<QString>("error");
        const qsizetype small = 2300;
        const qsizetype big = 40 * TextFile::SaveChunkSize + 123;
        using Step = SaveStep;
        QTest::newRow("small, full at the first write")
            << small << Step::Write << 1 << ENOSPC << "I/O error 28";
        QTest::newRow("big, full at the first write")
            << big << Step::Write << 1 << ENOSPC << "I/O error 28";
        QTest::newRow("big, full at a later write")
            << big << Step::Write << 17 << ENOSPC << "I/O error 28";
        QTest::newRow("big, device fails at the last write")
            << big << Step::Write << 41 << EIO << "I/O error 5";
        QTest::newRow("small, full at the flush")
            << small << Step::Flush << 0 << ENOSPC << "I/O error 28";
        QTest::newRow("big, full at the flush")
            << big << Step::Flush << 0 << ENOSPC << "I/O error 28";
        QTest::newRow("small, the swap fails")
            << small << Step::Commit << 0 << EIO << "I/O error 5";
        QTest::newRow("big, the swap fails") << big << Step::Commit << 0 << EXDEV << "I/O error 18";
    }
    void failedSaveKeepsTheOldFile()
    {
        QFETCH(qsizetype, size);
        QFETCH(SaveStep, step);
        QFETCH(int, writeNumber);
        QFETCH(int, systemError);
        QFETCH(QString, error);
        QTemporaryDir folder;
        const QString target = folder.filePath("sheet.htm");
        const QByteArray old = sheetBytes(3000);
        writeRaw(target, old);

        failNextSave(step, systemError, writeNumber);
        QCOMPARE(errorOf([&] { TextFile::saveBytes(target, sheetBytes(size)); }), error);
        QCOMPARE(TextFile::loadBytes(target), old);
        QCOMPARE(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden),
                 QStringList{"sheet.htm"});

        // The failure was for that save alone: the next one writes the new sheet.
        TextFile::saveBytes(target, sheetBytes(size));
        QCOMPARE(TextFile::loadBytes(target), sheetBytes(size));
        QCOMPARE(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden),
                 QStringList{"sheet.htm"});
    }

    // The system itself refuses the writes here: a file-size limit fails them with EFBIG just as
    // a full disk fails them with ENOSPC.
    void saveThatTheSystemRefusesKeepsTheOldFile_data()
    {
        QTest::addColumn<qsizetype>("size");
        QTest::addColumn<int>("limit");
        QTest::newRow("small sheet, no room at all") << qsizetype(2300) << 0;
        QTest::newRow("small sheet, room for a part") << qsizetype(2300) << 1000;
        QTest::newRow("big sheet, no room at all") << qsizetype(200000) << 0;
        QTest::newRow("big sheet, room for a part") << qsizetype(200000) << 10000;
    }
    void saveThatTheSystemRefusesKeepsTheOldFile()
    {
#ifdef Q_OS_UNIX
        QFETCH(qsizetype, size);
        QFETCH(int, limit);
        QTemporaryDir folder;
        const QString target = folder.filePath("sheet.htm");
        const QByteArray old = sheetBytes(50000);
        writeRaw(target, old);
        QString error;
        {
            FileSizeLimit sizeLimit{rlim_t(limit)};
            if (!sizeLimit.isSet())
                QSKIP("the file-size limit cannot be set here");
            error = errorOf([&] { TextFile::saveBytes(target, sheetBytes(size)); });
        }
        QCOMPARE(error, QStringLiteral("I/O error %1").arg(EFBIG));
        QCOMPARE(TextFile::loadBytes(target), old);
        QCOMPARE(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden),
                 QStringList{"sheet.htm"});
#else
        QSKIP("file-size limits are a Unix feature");
#endif
    }

    void fileNamesMadeFromNames_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("fileName");
        QTest::newRow("plain") << QStringLiteral("Pepík") << QStringLiteral("Pepík");
        QTest::newRow("quoted file name") << "Pepa \"tips.ktd\""
                                          << "Pepa _tips.ktd_.htm";
        QTest::newRow("quoted name") << "Tom \"Jerry\""
                                     << "Tom _Jerry_";
        QTest::newRow("one quote") << "\""
                                   << "_";
        QTest::newRow("slash") << "a/b"
                               << "a_b";
        QTest::newRow("backslash and drive") << "C:\\Users\\x"
                                             << "C__Users_x";
        QTest::newRow("wildcards and pipes") << "*?<>|"
                                             << "_____";
        QTest::newRow("markup") << QStringLiteral("<h1>Velký") << QStringLiteral("_h1_Velký");
        QTest::newRow("CR LF") << "Prvni\r\nDruhy"
                               << "Prvni__Druhy";
        QTest::newRow("tab, escape, delete, C1 control") << QStringLiteral("a\tb\x1B"
                                                                           "c\x7F"
                                                                           "d\u0085e")
                                                         << "a_b_c_d_e";
        QTest::newRow("dots only") << ".."
                                   << "";
        QTest::newRow("spaces and dots around") << " x. "
                                                << "x";
        QTest::newRow("hidden file") << "...skryty"
                                     << "skryty";
        QTest::newRow("inner dots and spaces kept") << "Tom  Jr. st."
                                                    << "Tom  Jr. st.htm";
        QTest::newRow("its own extension kept")
            << QStringLiteral("Pepík.htm") << QStringLiteral("Pepík.htm");
        QTest::newRow("extension in capitals kept") << "DENIK.HTM"
                                                    << "DENIK.HTM";
        QTest::newRow("empty") << ""
                               << "";
        QTest::newRow("lone surrogate") << QString(QChar(0xD800)) + "x"
                                        << "_x";
        // 255 bytes of UTF-8 with ".htm": 251 for the name.
        QTest::newRow("300 ASCII letters") << QString(300, u'a') << QString(251, u'a');
        QTest::newRow("300 Czech letters") << QString(300, u'ž') << QString(125, u'ž');
        QTest::newRow("a letter and 299 Czech letters")
            << QStringLiteral("a") + QString(299, u'ě') << QStringLiteral("a") + QString(125, u'ě');
        QString faces;
        for (int i = 0; i < 100; ++i)
            faces += QStringLiteral("\U0001F600");
        QString sixtyTwoFaces;
        for (int i = 0; i < 62; ++i)
            sixtyTwoFaces += QStringLiteral("\U0001F600");
        QTest::newRow("100 emoji, no pair split") << faces << sixtyTwoFaces;
        QTest::newRow("cut before a space")
            << QString(250, u'a') + QStringLiteral(" b") << QString(250, u'a');
    }
    void fileNamesMadeFromNames()
    {
        QFETCH(QString, name);
        QFETCH(QString, fileName);
        const QString made = safeFileName(name, u".htm");
        QCOMPARE(made, fileName);
        // Room for the extension the dialog adds, or the extension already there.
        QVERIFY(made.toUtf8().size() <= 251 || made.endsWith(QStringLiteral(".htm")));
        QVERIFY(made.toUtf8().size() <= 255);
    }

    // Opening a regular file in each way the program uses, and the runtime's texts when it
    // cannot be opened.
    void opensRegularFiles_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QIODevice::OpenMode>("mode");
        QTest::addColumn<QString>("error");
        QTest::addColumn<QByteArray>("content");
        using M = QIODevice;
        QTest::newRow("read") << "old.ktd" << M::OpenMode(M::ReadOnly) << "" << QByteArray("old");
        QTest::newRow("append to an existing file")
            << "old.ktd" << (M::Append | M::ExistingOnly) << "" << QByteArray("old+");
        QTest::newRow("append to a missing file that must exist")
            << "missing.ktd" << (M::Append | M::ExistingOnly) << "File not found" << QByteArray();
        QTest::newRow("append creates")
            << "new.ktd" << M::OpenMode(M::Append) << "" << QByteArray("+");
        QTest::newRow("truncate") << "old.ktd" << (M::WriteOnly | M::Truncate) << ""
                                  << QByteArray("+");
        QTest::newRow("write without truncating")
            << "old.ktd" << M::OpenMode(M::WriteOnly) << "" << QByteArray("+ld");
        QTest::newRow("read a missing file")
            << "missing.ktd" << M::OpenMode(M::ReadOnly) << "File not found" << QByteArray();
        QTest::newRow("write into a missing folder")
            << "no/such.ktd" << (M::WriteOnly | M::Truncate) << "Path not found" << QByteArray();
        QTest::newRow("read from a missing folder")
            << "no/such.ktd" << M::OpenMode(M::ReadOnly) << "File not found" << QByteArray();
        QTest::newRow("new only, but it exists")
            << "old.ktd" << (M::WriteOnly | M::NewOnly)
            << QStringLiteral("I/O error %1").arg(EEXIST) << QByteArray("old");
    }
    void opensRegularFiles()
    {
        QFETCH(QString, name);
        QFETCH(QIODevice::OpenMode, mode);
        QFETCH(QString, error);
        QFETCH(QByteArray, content);
        QTemporaryDir folder;
        QDir::setCurrent(folder.path());
        writeRaw("old.ktd", "old");
        QFile file(name);
        const QString raised = errorOf([&] {
            RegularFile::open(file, mode);
            if (mode & (QIODevice::WriteOnly | QIODevice::Append))
                QCOMPARE(file.write("+"), 1);
            else
                QCOMPARE(file.readAll(), content);
            file.close();
        });
        QDir::setCurrent(m_workspace.path());
        QCOMPARE(raised, error);
        QVERIFY(!file.isOpen());
        QFile written(folder.filePath(name));
        if (!content.isEmpty()) {
            QVERIFY(written.open(QIODevice::ReadOnly));
            QCOMPARE(written.readAll(), content);
        } else {
            QVERIFY(!written.exists());
        }
    }

    // Anything that is not a regular file is refused at once, as a file that cannot be opened
    // is, and never waited on.
    void nonRegularFilesAreRefused_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<TextFileStep>("step");
        QTest::addColumn<QString>("error");
        const QList<QPair<QString, TextFileStep>> steps = {
            {"version line", [](const QString& name) { TextFile::readFirstLine(name); }},
            {"memo lines", [](const QString& name) { TextFile::loadLines(name); }},
            {"tips", [](const QString& name) { TextFile::LineReader reader(name); }},
            {"temporary sheet", [](const QString& name) { TextFile::writeLines(name, {"x"}); }},
            {"saved sheet", [](const QString& name) { TextFile::saveBytes(name, "x\r\n"); }},
        };
        for (const QString kind : {"folder", "pipe", "socket", "device"}) {
            for (const auto& [what, step] : steps) {
                const QString error =
                    what == "memo lines" ? "Cannot open file data.ktd" : "File access denied";
                QTest::addRow("%s, %s", qPrintable(kind), qPrintable(what))
                    << kind << step << error;
            }
        }
    }
    void nonRegularFilesAreRefused()
    {
        QFETCH(QString, kind);
        QFETCH(TextFileStep, step);
        QFETCH(QString, error);
        QTemporaryDir folder;
        QDir::setCurrent(folder.path());
        const QString name = QStringLiteral("data.ktd");
        if (kind == "folder") {
            QVERIFY(QDir().mkdir(name));
            QCOMPARE(errorOf([&] { step(name); }), error);
            QVERIFY(QFileInfo(name).isDir());
            QDir::setCurrent(m_workspace.path());
            return;
        }
#ifdef Q_OS_UNIX
        std::unique_ptr<SocketFile> socket;
        if (kind == "pipe") {
            QVERIFY(makeFifo(name));
        } else if (kind == "socket") {
            socket = std::make_unique<SocketFile>(name);
            if (!socket->isValid())
                QSKIP("no socket file can be made here");
        } else {
            QVERIFY(QFile::link("/dev/null", name));
        }
        QString raised;
        bool waited = false;
        {
            FifoWatchdog watchdog(name);
            raised = errorOf([&] { step(name); });
            waited = watchdog.fired();
        }
        QVERIFY2(!waited, "the step waited on the pipe");
        QCOMPARE(raised, error);
        QVERIFY(!QFileInfo(name).isFile());
        QDir::setCurrent(m_workspace.path());
#else
        QDir::setCurrent(m_workspace.path());
        QSKIP("pipes, sockets and devices as files are a Unix feature");
#endif
    }
};

QTEST_GUILESS_MAIN(TestTextFiles)
#include "test_textfiles.moc"
