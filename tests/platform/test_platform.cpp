#include "DefaultButton.h"
#include "Fonts.h"
#include "KartakError.h"
#include "MessageBox.h"
#include "RunHandler.h"
#include "SaveDialog.h"
#include "SoundPlayer.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

namespace {

// A RIFF WAVE file of silence with the given sample format.
QByteArray waveFile(quint16 format, quint16 bits, int samples = 2205)
{
    const quint16 channels = 1;
    const quint32 rate = 22050;
    const quint32 dataSize = quint32(samples) * bits / 8;
    QByteArray bytes;
    auto put32 = [&](quint32 v) { char b[4]; qToLittleEndian(v, b); bytes.append(b, 4); };
    auto put16 = [&](quint16 v) { char b[2]; qToLittleEndian(v, b); bytes.append(b, 2); };
    bytes += "RIFF";
    put32(36 + dataSize);
    bytes += "WAVEfmt ";
    put32(16);
    put16(format);
    put16(channels);
    put32(rate);
    put32(rate * channels * bits / 8);
    put16(quint16(channels * bits / 8));
    put16(bits);
    bytes += "data";
    put32(dataSize);
    bytes += QByteArray(int(dataSize), bits == 8 ? '\x80' : '\0');
    return bytes;
}

void writeRaw(const QString& name, const QByteArray& bytes)
{
    QFile file(name);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

} // namespace

class TestPlatform : public QObject
{
    Q_OBJECT
    QTemporaryDir m_dir;
    QString m_previous;

private slots:
    void initTestCase()
    {
        m_previous = QDir::currentPath();
        QDir::setCurrent(m_dir.path());
        MessageBox::setRecording(true);
        SoundPlayer::setRecordingPlayRequests(true);
    }
    void cleanupTestCase() { QDir::setCurrent(m_previous); }
    void init()
    {
        MessageBox::takeShown();
        SoundPlayer::takePlayRequests();
    }

    void errorBoxAddsAFullStop_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("shown");
        QTest::newRow("plain") << "File not found" << "File not found.";
        QTest::newRow("already ended") << "Hotovo." << "Hotovo.";
        QTest::newRow("empty") << "" << ".";
        QTest::newRow("question") << "Proč?" << "Proč?.";
        QTest::newRow("ends in dots") << "Cannot open file about..." << "Cannot open file about...";
    }
    void errorBoxAddsAFullStop()
    {
        QFETCH(QString, text);
        QFETCH(QString, shown);
        QCOMPARE(MessageBox::errorText(text), shown);
    }

    void handlerStopsAtTheFailingStep()
    {
        QStringList steps;
        const bool ok = runHandler([&] {
            steps << "before";
            throw KartakError("I/O error 5");
            steps << "after";
        });
        QVERIFY(!ok);
        QCOMPARE(steps, QStringList{"before"});
        const auto shown = MessageBox::takeShown();
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown[0].kind, MessageBox::Shown::Error);
        QCOMPARE(shown[0].caption, QStringLiteral("Karták II"));
        QCOMPARE(shown[0].text, "I/O error 5.");

        QVERIFY(runHandler([] {}));
        QVERIFY(MessageBox::takeShown().isEmpty());
    }

    void informationHasTheTitleAndNoFullStopAdded()
    {
        MessageBox::information("AVE SATANAS:-)");
        const auto shown = MessageBox::takeShown();
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown[0].kind, MessageBox::Shown::Information);
        QCOMPARE(shown[0].caption, QStringLiteral("Karták II"));
        QCOMPARE(shown[0].text, "AVE SATANAS:-)");
    }

    void soundOpensOnlyPlayableWaves_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("error");
        const QString bad = "The specified file cannot be played on the specified MCI device. The "
                            "file may be corrupt, or not in the correct format";
        QTest::newRow("16-bit PCM") << waveFile(1, 16) << "";
        QTest::newRow("8-bit PCM") << waveFile(1, 8) << "";
        QTest::newRow("32-bit PCM") << waveFile(1, 32) << bad;
        QTest::newRow("float") << waveFile(3, 32) << bad;
        QTest::newRow("text") << QByteArray("not a sound at all") << bad;
        QTest::newRow("empty") << QByteArray() << bad;
        QTest::newRow("cut short") << waveFile(1, 16).left(30) << bad;
    }
    void soundOpensOnlyPlayableWaves()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, error);
        writeRaw("sound.wav", bytes);
        SoundPlayer player;
        QString raised;
        try {
            player.open("sound.wav");
        } catch (const KartakError& e) {
            raised = e.text();
        }
        QCOMPARE(raised, error);
        QCOMPARE(player.isOpen(), error.isEmpty());
    }

    void soundFileMissing()
    {
        SoundPlayer player;
        QVERIFY_THROWS_EXCEPTION(KartakError, player.open("Missing.wav"));
        QVERIFY(!player.isOpen());
    }

    void playOnAClosedPlayerFails()
    {
        SoundPlayer player;
        QString raised;
        try {
            player.play();
        } catch (const KartakError& e) {
            raised = e.text();
        }
        QCOMPARE(raised, "No MCI device open");
        QVERIFY(SoundPlayer::takePlayRequests().isEmpty());
    }

    void playRequestsAreRecordedAndTheRealPlayerLoads()
    {
        writeRaw("Success.wav", waveFile(1, 16));
        writeRaw("Problem.wav", waveFile(1, 16));
        SoundPlayer success;
        SoundPlayer problem;
        success.open("Success.wav");
        problem.open("Problem.wav");
        success.play();
        problem.play();
        success.play();
        QCOMPARE(SoundPlayer::takePlayRequests(),
                 (QStringList{"Success.wav", "Problem.wav", "Success.wav"}));
        QTRY_VERIFY_WITH_TIMEOUT(success.isLoaded(), 5000);
    }

    void saveDialogAnswersFromTheSeam()
    {
        SaveDialog dialog;
        dialog.defaultSuffix = "htm";
        dialog.fileName = "Pepík";
        SaveDialog::setNextAnswer(QStringLiteral("Pepík"));
        QCOMPARE(dialog.execute(), QDir::current().absoluteFilePath("Pepík.htm"));
        QCOMPARE(SaveDialog::lastProposal(), QStringLiteral("Pepík"));

        SaveDialog::setNextAnswer(QStringLiteral("deník.html"));
        QCOMPARE(dialog.execute(), QDir::current().absoluteFilePath("deník.html"));

        SaveDialog::setNextAnswer(std::nullopt);
        QCOMPARE(dialog.execute(), std::nullopt);
    }

    void saveDialogOpensWhereTheUserMayWrite()
    {
        QCOMPARE(SaveDialog::startFolder(m_dir.path()), m_dir.path());
        const QString documents =
            QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
        const QString expected = QFileInfo(documents).isDir() ? documents : QDir::homePath();
        QCOMPARE(SaveDialog::startFolder("/no/such/program/folder"), expected);
    }

    void fontsMapToPixelHeights_data()
    {
        QTest::addColumn<int>("points");
        QTest::addColumn<int>("pixels");
        QTest::newRow("8") << 8 << 11;
        QTest::newRow("9") << 9 << 12;
        QTest::newRow("10") << 10 << 13;
        QTest::newRow("12") << 12 << 16;
        QTest::newRow("14") << 14 << 19;
    }
    void fontsMapToPixelHeights()
    {
        QFETCH(int, points);
        QFETCH(int, pixels);
        QWidget window;
        auto* child = new QPushButton(&window);
        QFont font("MS Sans Serif");
        font.setPointSize(points);
        font.setBold(true);
        child->setFont(font);
        Fonts::applyPixelSizes(&window);
        QCOMPARE(child->font().pixelSize(), pixels);
        QVERIFY(child->font().bold());
    }

    void enterPressesTheDefaultButton()
    {
        QWidget window;
        auto* edit = new QLineEdit(&window);
        auto* generate = new QPushButton("&Generuj!", &window);
        auto* other = new QPushButton("Tip dne", &window);
        installDefaultButton(&window, generate);
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QSignalSpy generated(generate, &QPushButton::clicked);
        QSignalSpy otherClicked(other, &QPushButton::clicked);

        edit->setFocus();
        QTest::keyClick(edit, Qt::Key_Return);
        QCOMPARE(generated.count(), 1);

        other->setFocus();
        QTest::keyClick(other, Qt::Key_Enter);
        QCOMPARE(otherClicked.count(), 1);
        QCOMPARE(generated.count(), 1);

        generate->setEnabled(false);
        edit->setFocus();
        QTest::keyClick(edit, Qt::Key_Return);
        QCOMPARE(generated.count(), 1);
    }
};

QTEST_MAIN(TestPlatform)
#include "test_platform.moc"
