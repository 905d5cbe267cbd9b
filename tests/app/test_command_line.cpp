// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/CommandLine.h"

#include <QTest>

using CommandLine::Result;

class TestCommandLine : public QObject
{
    Q_OBJECT

private slots:
    void answersEachCommandLine_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("action");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<bool>("toStandardError");
        QTest::addColumn<QString>("textStart");
        const int run = Result::Run;
        const int print = Result::PrintAndExit;
        const QString version = "kartak2 ";
        const QString help = "Použití: kartak2";
        const QString error = "kartak2: ";
        QTest::newRow("nothing") << QStringList{"kartak2"} << run << 0 << false << "";
        QTest::newRow("--version")
            << QStringList{"kartak2", "--version"} << print << 0 << false << version;
        QTest::newRow("-v") << QStringList{"kartak2", "-v"} << print << 0 << false << version;
        QTest::newRow("--help") << QStringList{"kartak2", "--help"} << print << 0 << false << help;
        QTest::newRow("-h") << QStringList{"kartak2", "-h"} << print << 0 << false << help;
        QTest::newRow("help wins")
            << QStringList{"kartak2", "--version", "--help"} << print << 0 << false << help;
        QTest::newRow("unknown option") << QStringList{"kartak2", "--fullscreen"} << print << 2
                                        << true << "kartak2: neznámá volba: fullscreen";
        QTest::newRow("unknown short option")
            << QStringList{"kartak2", "-x"} << print << 2 << true << "kartak2: neznámá volba: x";
        QTest::newRow("a file") << QStringList{"kartak2", "postava.html"} << print << 2 << true
                                << error;
        QTest::newRow("unknown beside --version")
            << QStringList{"kartak2", "--version", "--nonsense"} << print << 2 << true << error;
        // Qt's own options are Qt's business: they pass, and do not hide ours.
        QTest::newRow("Qt platform")
            << QStringList{"kartak2", "-platform", "offscreen"} << run << 0 << false << "";
        QTest::newRow("Qt style and reverse")
            << QStringList{"kartak2", "-style", "fusion", "-reverse"} << run << 0 << false << "";
        QTest::newRow("Qt option with --version")
            << QStringList{"kartak2", "-platform", "xcb", "--version"} << print << 0 << false
            << version;
        QTest::newRow("Qt option lacking its value")
            << QStringList{"kartak2", "-platform"} << print << 2 << true << error;
    }
    void answersEachCommandLine()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, action);
        QFETCH(int, exitCode);
        QFETCH(bool, toStandardError);
        QFETCH(QString, textStart);
        const Result result = CommandLine::parse(arguments);
        QCOMPARE(int(result.action), action);
        QCOMPARE(result.exitCode, exitCode);
        QCOMPARE(result.toStandardError, toStandardError);
        if (action == Result::Run) {
            QVERIFY2(result.text.isEmpty(), qPrintable(result.text));
        } else {
            QVERIFY2(result.text.startsWith(textStart), qPrintable(result.text));
            QVERIFY(result.text.endsWith('\n'));
        }
    }

    void helpNamesBothOptionsInCzech()
    {
        const QString help = CommandLine::helpText();
        QVERIFY(help.contains("--help"));
        QVERIFY(help.contains("--version"));
        QVERIFY(help.contains(QStringLiteral("nápovědu")));
    }
};

QTEST_APPLESS_MAIN(TestCommandLine)
#include "test_command_line.moc"
