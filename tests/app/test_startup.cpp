// SPDX-License-Identifier: GPL-3.0-or-later
#include "NonRegularFiles.h"
#include "Workspace.h"
#include "app/Forms.h"
#include "app/Startup.h"
#include "app/TForm1.h"
#include "character/TForm3.h"
#include "platform/MessageBox.h"
#include "platform/ProgramInfo.h"
#include "platform/SoundPlayer.h"
#include "windows/TForm2.h"
#include "windows/TForm6.h"
#include "windows/TForm7.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QPlainTextEdit>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <utility>

namespace {

QStringList shownErrors()
{
    QStringList texts;
    for (const auto& shown : MessageBox::takeShown())
        texts << (shown.kind == MessageBox::Shown::Error ? "error: " : "info: ") + shown.text;
    return texts;
}

// Closes the modal window that the next click opens, once it is shown.
void closeWhenShown(QDialog* dialog)
{
    QTimer::singleShot(0, dialog, [dialog] { dialog->accept(); });
}

} // namespace

class TestStartup : public QObject
{
    Q_OBJECT
    std::unique_ptr<Workspace> m_workspace;
    QString m_immutable;

    // A program folder with the built data files but the one left out.
    void makeProgramFolder(const QString& without = {})
    {
        QStringList files = AllDataFiles;
        files.removeAll(without);
        m_workspace.reset();
        m_workspace = std::make_unique<Workspace>(files);
    }

private slots:
    void initTestCase()
    {
        MessageBox::setRecording(true);
        prepareApplication(*qApp);
    }
    void cleanup()
    {
        if (!m_immutable.isEmpty())
            QProcess::execute("chattr", {"-i", std::exchange(m_immutable, {})});
        destroyForms();
        VersionText.clear();
        m_workspace.reset();
        MessageBox::takeShown();
    }

    void createsEveryWindowInOrder()
    {
        makeProgramFolder();
        createForms();
        QVERIFY(Form1 && Form2 && Form3 && Form4 && Form5 && Form6 && Form7);
        QCOMPARE(shownErrors(), QStringList{});
        QVERIFY(!Form1->isVisible());
        QVERIFY(!Form3->isVisible());
        QCOMPARE(Form1->windowTitle(), QStringLiteral("Karták II"));
        QVERIFY(!VersionText.isEmpty());
        QCOMPARE(Form1->Label4->text(), VersionText);
        QCOMPARE(Form3->ComboBox1->currentIndex(), 0);
    }

    void eachMissingFileGivesOneErrorBox_data()
    {
        QTest::addColumn<QString>("missing");
        QTest::addColumn<QStringList>("errors");
        const QString noSound = "error: Cannot find the specified file. Make sure the path and "
                                "filename are correct.";
        QTest::newRow("version.ktd") << "version.ktd" << QStringList{"error: File not found."};
        QTest::newRow("about.ktd")
            << "about.ktd" << QStringList{"error: Cannot open file about.ktd."};
        QTest::newRow("Beta.ktd") << "Beta.ktd" << QStringList{};
        QTest::newRow("tips.ktd") << "tips.ktd" << QStringList{};
        QTest::newRow("Problem.wav") << "Problem.wav" << QStringList{noSound};
        QTest::newRow("Success.wav") << "Success.wav" << QStringList{noSound};
    }
    void eachMissingFileGivesOneErrorBox()
    {
        QFETCH(QString, missing);
        QFETCH(QStringList, errors);
        makeProgramFolder(missing);
        createForms();
        QCOMPARE(shownErrors(), errors);
        // Start-up went on: every window exists.
        QVERIFY(Form1 && Form2 && Form3 && Form4 && Form5 && Form6 && Form7);
        if (missing == "version.ktd") {
            QCOMPARE(Form1->Label4->text(), "???");
            QCOMPARE(VersionText, QString());
        }
        if (missing.endsWith(".wav"))
            QCOMPARE(Form3->ComboBox1->currentIndex(), -1);
    }

    void badVersionFilesNeverStopTheStart_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("label");
        QTest::newRow("empty") << QByteArray() << "";
        QTest::newRow("lines") << QByteArray("2.0\r\nmore\r\n") << "2.0";
        QTest::newRow("garbage") << QByteArray("\x90\x81\x01\x1A\r\n", 5) << "\uFFFD\uFFFD\x01";
        QTest::newRow("10 MB line")
            << QByteArray(10 * 1024 * 1024, 'x') << QString(10 * 1024 * 1024, 'x');
    }
    void badVersionFilesNeverStopTheStart()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, label);
        makeProgramFolder();
        writeRaw("version.ktd", bytes);
        createForms();
        QCOMPARE(shownErrors(), QStringList{});
        QCOMPARE(VersionText, label);
        QCOMPARE(Form1->Label4->text(), label.left(1024));
        QVERIFY(Form1->Label4->geometry().right() < Form1->width());
    }

    // The version file is only read: an installed copy's data folder is not the player's to
    // write, so a version file nobody may write must still show, without any error box.
    void versionFileThatCannotBeWrittenStillShows()
    {
        makeProgramFolder();
        writeRaw("version.ktd", "1.2.3\r\nmore\r\n");
        const auto readOnly = QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther;
        QVERIFY(QFile::setPermissions("version.ktd", readOnly));
        // Root writes past the mode bits; there the file is made immutable instead.
        const auto writable = [] { return QFile("version.ktd").open(QIODevice::Append); };
        if (writable() && QProcess::execute("chattr", {"+i", "version.ktd"}) == 0)
            m_immutable = QFileInfo("version.ktd").absoluteFilePath();
        if (writable())
            QSKIP("running as root where the version file cannot be made unwritable");
        createForms();
        QCOMPARE(shownErrors(), QStringList{});
        QCOMPARE(VersionText, "1.2.3");
        QCOMPARE(Form1->Label4->text(), "1.2.3");
    }

    void versionFolderInsteadOfFile()
    {
        makeProgramFolder("version.ktd");
        QDir().mkdir("version.ktd");
        createForms();
        QCOMPARE(shownErrors(), QStringList{"error: File access denied."});
        QCOMPARE(Form1->Label4->text(), "???");
    }

    // A data file that is a pipe or a socket is refused at once, with the box a file that
    // cannot be opened gives there; start-up goes on.
    void dataFileThatIsNotARegularFile_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QStringList>("errors");
        for (const QString kind : {"pipe", "socket"}) {
            QTest::addRow("version.ktd, %s", qPrintable(kind))
                << "version.ktd" << kind << QStringList{"error: File access denied."};
            QTest::addRow("about.ktd, %s", qPrintable(kind))
                << "about.ktd" << kind << QStringList{"error: Cannot open file about.ktd."};
        }
    }
    void dataFileThatIsNotARegularFile()
    {
#ifdef Q_OS_UNIX
        QFETCH(QString, file);
        QFETCH(QString, kind);
        QFETCH(QStringList, errors);
        makeProgramFolder(file);
        std::unique_ptr<SocketFile> socket;
        if (kind == "pipe") {
            QVERIFY(makeFifo(file));
        } else {
            socket = std::make_unique<SocketFile>(m_workspace->path(file));
            if (!socket->isValid())
                QSKIP("no socket file can be made here");
        }
        {
            FifoWatchdog watchdog(file);
            createForms();
            QVERIFY2(!watchdog.fired(), "start-up waited on the pipe");
        }
        QCOMPARE(shownErrors(), errors);
        QVERIFY(Form1 && Form2 && Form3 && Form4 && Form5 && Form6 && Form7);
        if (file == "version.ktd") {
            QCOMPARE(Form1->Label4->text(), "???");
            QCOMPARE(VersionText, QString());
        }
#else
        QSKIP("pipes and sockets as files are a Unix feature");
#endif
    }

    void betaNotesThatAreAPipeAreRefused()
    {
#ifdef Q_OS_UNIX
        makeProgramFolder("Beta.ktd");
        createForms();
        QVERIFY(makeFifo("Beta.ktd"));
        {
            FifoWatchdog watchdog("Beta.ktd");
            closeWhenShown(Form6); // should it be shown after all, it must not block
            QTest::mouseClick(Form1->Button4, Qt::LeftButton);
            QVERIFY2(!watchdog.fired(), "the beta notes waited on the pipe");
        }
        QCOMPARE(shownErrors(), QStringList{"error: Cannot open file Beta.ktd."});
        QVERIFY(!Form6->isVisible());
#else
        QSKIP("pipes as files are a Unix feature");
#endif
    }

    // The version line is shown as it reads, markup and all, on one line.
    void versionLineShowsMarkupAsTyped_data()
    {
        QTest::addColumn<QByteArray>("line");
        QTest::newRow("heading") << QByteArray("<h1>Velk\xfd");
        QTest::newRow("bold") << QByteArray("<b>1.0</b> beta");
        QTest::newRow("entity") << QByteArray("1.0 &lt; 2.0");
        QTest::newRow("picture") << QByteArray("<img src=x>");
    }
    void versionLineShowsMarkupAsTyped()
    {
        QFETCH(QByteArray, line);
        makeProgramFolder();
        writeRaw("version.ktd", line + "\r\n");
        createForms();
        QCOMPARE(shownErrors(), QStringList{});
        QCOMPARE(Form1->Label4->textFormat(), Qt::PlainText);
        QCOMPARE(Form1->Label4->text(),
                 QString::fromLatin1(line).replace(u'\xfd', QStringLiteral("ý")));
        QVERIFY(Form1->Label4->height() < 2 * Form1->Label4->fontMetrics().height());
    }

    void betaNotesAreReadAgainOnEveryClick()
    {
        makeProgramFolder();
        createForms();
        writeRaw("Beta.ktd", "first\r\nnotes\r\n");
        closeWhenShown(Form6);
        QTest::mouseClick(Form1->Button4, Qt::LeftButton);
        QCOMPARE(Form6->Memo1->toPlainText(), "first\nnotes");

        writeRaw("Beta.ktd", "edited\r\n");
        closeWhenShown(Form6);
        QTest::mouseClick(Form1->Button4, Qt::LeftButton);
        QCOMPARE(Form6->Memo1->toPlainText(), "edited");

        // Without the file the window stays hidden and keeps what it showed.
        QFile::remove("Beta.ktd");
        QTest::mouseClick(Form1->Button4, Qt::LeftButton);
        QCOMPARE(shownErrors(), QStringList{"error: Cannot open file Beta.ktd."});
        QVERIFY(!Form6->isVisible());
        QCOMPARE(Form6->Memo1->toPlainText(), "edited");
    }

    void enterOpensTheCharacterWindowAndKeepsIt()
    {
        makeProgramFolder();
        createForms();
        Form1->show();
        QVERIFY(QTest::qWaitForWindowActive(Form1));
        QCOMPARE(QApplication::focusWidget(), Form1->Button1);
        QTest::keyClick(Form1, Qt::Key_Return);
        QVERIFY(Form3->isVisible());

        Form3->Edit1->setText("Žofie");
        Form3->close();
        QVERIFY(!Form3->isVisible());
        QTest::mouseClick(Form1->Button1, Qt::LeftButton);
        QVERIFY(Form3->isVisible());
        QCOMPARE(Form3->Edit1->text(), QStringLiteral("Žofie"));
    }

    void quitAndTheJokeEndTheProgram_data()
    {
        QTest::addColumn<bool>("joke");
        QTest::newRow("Konec programu") << false;
        QTest::newRow("double-click on verze") << true;
    }
    void quitAndTheJokeEndTheProgram()
    {
        QFETCH(bool, joke);
        makeProgramFolder();
        createForms();
        Form1->show();
        Form3->show(); // the character window being open changes nothing
        QTimer::singleShot(0, Form1, [joke] {
            if (joke)
                QTest::mouseDClick(Form1->Label3, Qt::LeftButton);
            else
                QTest::mouseClick(Form1->Button3, Qt::LeftButton);
        });
        QTimer guard;
        guard.setSingleShot(true);
        connect(&guard, &QTimer::timeout, [] { QCoreApplication::exit(1); });
        guard.start(5000);
        QCOMPARE(QCoreApplication::exec(), 0);
        const QStringList expected =
            joke ? QStringList{"info: " + TForm1::JokeMessage} : QStringList{};
        QCOMPARE(shownErrors(), expected);
        QVERIFY(TForm1::JokeMessage.startsWith("Application KARTAK2.EXE caused general "
                                               "protection fault at adress \"One Microsoft Way"));
    }

    void splashClosesItselfAfterItsTimer()
    {
        makeProgramFolder();
        createForms();
        QElapsedTimer shown;
        shown.start();
        showSplash();
        QVERIFY(!Form7->isVisible());
        QVERIFY2(shown.elapsed() >= 1000, "the splash went away too early");
        QCOMPARE(Form7->cursor().shape(), Qt::WaitCursor);
        // The application icon, given once the splash is up, is there for the main menu.
        QCOMPARE(QApplication::windowIcon().availableSizes().size(), 8);
    }
};

QTEST_MAIN(TestStartup)
#include "test_startup.moc"
