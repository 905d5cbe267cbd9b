// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/DataFolder.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class TestDataFolder : public QObject
{
    Q_OBJECT

private slots:
    void candidatesFollowTheExecutable_data()
    {
        QTest::addColumn<QString>("executable");
        QTest::addColumn<QStringList>("folders");
        QTest::newRow("build tree")
            << "/home/hana/kartak/build/kartak2"
            << QStringList{"/home/hana/kartak/build", "/home/hana/kartak/share/kartak2",
                           "/home/hana/kartak/share/games/kartak2"};
        QTest::newRow("Debian games folder")
            << "/usr/games/kartak2"
            << QStringList{"/usr/games", "/usr/share/kartak2", "/usr/share/games/kartak2"};
        QTest::newRow("bin under a prefix")
            << "/opt/kartak/bin/kartak2"
            << QStringList{"/opt/kartak/bin", "/opt/kartak/share/kartak2",
                           "/opt/kartak/share/games/kartak2"};
        QTest::newRow("macOS bundle")
            << "/Applications/kartak2.app/Contents/MacOS/kartak2"
            << QStringList{"/Applications/kartak2.app/Contents/MacOS",
                           "/Applications/kartak2.app/Contents/share/kartak2",
                           "/Applications/kartak2.app/Contents/share/games/kartak2",
                           "/Applications/kartak2.app/Contents/Resources"};
        QTest::newRow("Windows folder")
            << "C:/Program Files/Karták II/bin/kartak2.exe"
            << QStringList{"C:/Program Files/Karták II/bin",
                           "C:/Program Files/Karták II/share/kartak2",
                           "C:/Program Files/Karták II/share/games/kartak2"};
        QTest::newRow("untidy path")
            << "/usr//games/./kartak2"
            << QStringList{"/usr/games", "/usr/share/kartak2", "/usr/share/games/kartak2"};
        QTest::newRow("root folder")
            << "/kartak2" << QStringList{"/", "/share/kartak2", "/share/games/kartak2"};
        QTest::newRow("unknown executable") << "" << QStringList{};
    }
    void candidatesFollowTheExecutable()
    {
        QFETCH(QString, executable);
        QFETCH(QStringList, folders);
        QCOMPARE(DataFolder::candidates(executable), folders);
    }

    // Real folders: the executable's path in the layout, the data files and where they lie,
    // and the folder that is found (relative to the layout's root; "" for none).
    void findsTheFolderThatHoldsData_data()
    {
        QTest::addColumn<QString>("executable");
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<QString>("found");
        const QStringList all = DataFolder::FileNames;
        auto in = [](const QString& folder, const QStringList& names) {
            QStringList paths;
            for (const QString& name : names)
                paths << folder + '/' + name;
            return paths;
        };
        QTest::newRow("beside") << "build/kartak2" << in("build", all) << "build";
        QTest::newRow("Debian") << "usr/games/kartak2" << in("usr/share/games/kartak2", all)
                                << "usr/share/games/kartak2";
        QTest::newRow("share") << "usr/bin/kartak2" << in("usr/share/kartak2", all)
                               << "usr/share/kartak2";
        QTest::newRow("bundle") << "K.app/Contents/MacOS/kartak2"
                                << in("K.app/Contents/Resources", all)
                                << "K.app/Contents/Resources";
        QTest::newRow("beside comes first")
            << "usr/bin/kartak2" << in("usr/bin", {"tips.ktd"}) + in("usr/share/kartak2", all)
            << "usr/bin";
        // One file is enough: the program then reports the others as missing, in the right
        // folder.
        QTest::newRow("only the sounds")
            << "usr/games/kartak2" << in("usr/share/games/kartak2", {"Success.wav"})
            << "usr/share/games/kartak2";
        QTest::newRow("no data anywhere") << "usr/games/kartak2" << QStringList{} << "";
        QTest::newRow("other files only")
            << "usr/bin/kartak2" << in("usr/bin", {"readme.txt", "kartak2.ini"}) << "";
        QTest::newRow("a folder named like a data file")
            << "usr/bin/kartak2" << QStringList{"usr/bin/version.ktd/"} << "";
        QTest::newRow("data of another program")
            << "usr/bin/kartak2" << in("usr/share/kartak3", all) << "";
    }
    void findsTheFolderThatHoldsData()
    {
        QFETCH(QString, executable);
        QFETCH(QStringList, files);
        QFETCH(QString, found);
        QTemporaryDir root;
        QDir dir(root.path());
        QVERIFY(dir.mkpath(QFileInfo(executable).path()));
        QFile(dir.filePath(executable)).open(QIODevice::WriteOnly);
        for (const QString& file : files) {
            if (file.endsWith('/')) {
                QVERIFY(dir.mkpath(file));
                continue;
            }
            QVERIFY(dir.mkpath(QFileInfo(file).path()));
            QFile data(dir.filePath(file));
            QVERIFY(data.open(QIODevice::WriteOnly));
        }
        const QString expected = found.isEmpty() ? QString() : dir.filePath(found);
        QCOMPARE(DataFolder::find(dir.filePath(executable)), expected);
    }

    void enterChangesTheCurrentDirectoryOnlyWhenDataIsFound()
    {
        const QString previous = QDir::currentPath();
        QTemporaryDir root;
        QDir dir(root.path());
        QVERIFY(dir.mkpath("usr/games"));
        QVERIFY(dir.mkpath("usr/share/games/kartak2"));
        QFile(dir.filePath("usr/share/games/kartak2/about.ktd")).open(QIODevice::WriteOnly);
        QDir::setCurrent(QDir::rootPath());

        QCOMPARE(DataFolder::enter(dir.filePath("usr/games/kartak2")),
                 dir.filePath("usr/share/games/kartak2"));
        QCOMPARE(QDir::current().canonicalPath(),
                 QDir(dir.filePath("usr/share/games/kartak2")).canonicalPath());
        QVERIFY(QFile::exists("about.ktd"));

        QDir::setCurrent(QDir::rootPath());
        QCOMPARE(DataFolder::enter(dir.filePath("elsewhere/kartak2")), QString());
        QCOMPARE(QDir::currentPath(), QDir::rootPath());
        QDir::setCurrent(previous);
    }
};

QTEST_GUILESS_MAIN(TestDataFolder)
#include "test_data_folder.moc"
