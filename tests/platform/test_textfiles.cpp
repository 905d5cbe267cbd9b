// SPDX-License-Identifier: GPL-3.0-or-later
#include "Cp1250.h"
#include "KartakError.h"
#include "TextFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

namespace {

void writeRaw(const QString& name, const QByteArray& bytes)
{
    QFile file(name);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

QString errorOf(const std::function<void()>& body)
{
    try {
        body();
    } catch (const KartakError& error) {
        return error.text();
    }
    return QString();
}

} // namespace

class TestTextFiles : public QObject
{
    Q_OBJECT
    QTemporaryDir m_dir;
    QString m_previous;

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        m_previous = QDir::currentPath();
        QDir::setCurrent(m_dir.path());
    }
    void cleanupTestCase() { QDir::setCurrent(m_previous); }

    void decodesTheCodePage_data()
    {
        QTest::addColumn<int>("byte");
        QTest::addColumn<int>("codePoint");
        // Czech letters and the code page's oddities, checked against the published table.
        const QList<QPair<int, int>> rows = {
            {0x41, 'A'},     {0x80, 0x20AC}, {0x8A, 0x0160}, {0x8D, 0x0164}, {0x8E, 0x017D},
            {0x9A, 0x0161},  {0x9D, 0x0165}, {0x9E, 0x017E}, {0xA0, 0x00A0}, {0xC1, 0x00C1},
            {0xC8, 0x010C},  {0xC9, 0x00C9}, {0xCC, 0x011A}, {0xCD, 0x00CD}, {0xCF, 0x010E},
            {0xD2, 0x0147},  {0xD3, 0x00D3}, {0xD8, 0x0158}, {0xD9, 0x016E}, {0xDA, 0x00DA},
            {0xDD, 0x00DD},  {0xE1, 0x00E1}, {0xE8, 0x010D}, {0xE9, 0x00E9}, {0xEC, 0x011B},
            {0xED, 0x00ED},  {0xEF, 0x010F}, {0xF2, 0x0148}, {0xF3, 0x00F3}, {0xF8, 0x0159},
            {0xF9, 0x016F},  {0xFA, 0x00FA}, {0xFD, 0x00FD}, {0xFF, 0x02D9}, {0x96, 0x2013},
            {0x84, 0x201E},  {0x93, 0x201C}, {0x81, 0xFFFD}, {0x83, 0xFFFD}, {0x88, 0xFFFD},
            {0x90, 0xFFFD},  {0x98, 0xFFFD},
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
        const auto reference = [](char32_t cp) { return "&#" + QByteArray::number(uint(cp)) + ';'; };
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
        QTest::newRow("1A ends the text") << QByteArray("ab\x1A" "cd\r\n") << "ab";
        QTest::newRow("empty") << QByteArray() << "";
        QTest::newRow("Czech") << QByteArray("Verze \xE8\xEC\xF8\r\n") << QStringLiteral("Verze čěř");
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
        QTest::newRow("mixed, empty lines") << QByteArray("a\r\n\r\n\nb") << QStringList{"a", "", "", "b"};
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
};

QTEST_GUILESS_MAIN(TestTextFiles)
#include "test_textfiles.moc"
