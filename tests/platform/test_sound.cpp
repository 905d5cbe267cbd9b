// SPDX-License-Identifier: GPL-3.0-or-later
#include "WaveFiles.h"
#include "WindowFixtures.h"
#include "Workspace.h"
#include "files/KartakError.h"
#include "files/WaveSound.h"
#include "platform/SoundPlayer.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

#include <chrono>
#include <future>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

const QString kNotFound =
    QStringLiteral("Cannot find the specified file. Make sure the path and filename are correct");
const QString kBadFormat = QStringLiteral(
    "The specified file cannot be played on the specified MCI device. The file may be corrupt, "
    "or not in the correct format");

// What the test sink saw: every start, with the first bytes it was offered.
struct SinkLog
{
    int starts = 0;
    bool active = false;
    QIODevice* source = nullptr;
    QList<QByteArray> firstBytes;
};

class TestSink final : public SoundPlayer::Sink
{
public:
    explicit TestSink(SinkLog& log) : m_log(log) {}
    void start(QIODevice* source) override
    {
        ++m_log.starts;
        m_log.active = true;
        m_log.source = source;
        m_log.firstBytes.append(source->peek(4));
    }
    bool isActive() const override { return m_log.active; }

private:
    SinkLog& m_log;
};

} // namespace

class TestSound : public QObject
{
    Q_OBJECT
    Workspace m_workspace{QStringList{}};
    QByteArray m_samples = ramp(400);

    static QString openError(SoundPlayer& player, const QString& name)
    {
        return errorOf([&] { player.open(name); });
    }

private slots:
    void initTestCase()
    {
        writeRaw("Success.wav", wave(1, 16, m_samples));
        writeRaw("Problem.wav", wave(2, 8, ramp(300)));

        SinkLog log;
        SoundPlayer::setSinkFactory(
            [&](const WaveSound&, const QString&) { return std::make_unique<TestSink>(log); });
        SoundPlayer player;
        player.open("Success.wav");
        player.play();
        QCOMPARE(log.starts, 1);
        SoundPlayer::setSinkFactory({});
    }
    void cleanup()
    {
        QDir::setCurrent(m_workspace.path());
        SoundPlayer::setSinkFactory({});
        takePlayRequests();
    }

    void readsWaves_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<int>("channels");
        QTest::addColumn<int>("bits");
        QTest::addColumn<QByteArray>("samples");

        const QByteArray s = ramp(400);
        const QByteArray fmt16 = chunk("fmt ", fmtBody(1, 1, 22050, 16));
        const QByteArray none;
        auto refused = [&](const char* name, const QByteArray& bytes) {
            QTest::newRow(name) << bytes << false << 0 << 0 << none;
        };

        QTest::newRow("mono 16-bit") << wave(1, 16, s) << true << 1 << 16 << s;
        QTest::newRow("stereo 16-bit") << wave(2, 16, s) << true << 2 << 16 << s;
        QTest::newRow("mono 8-bit") << wave(1, 8, s) << true << 1 << 8 << s;
        QTest::newRow("stereo 8-bit") << wave(2, 8, s) << true << 2 << 8 << s;
        QTest::newRow("other chunks first") << riff(chunk("LIST", "INFOISFT\4\0\0\0abc\0") + fmt16 +
                                                    chunk("fact", le32(200)) + chunk("data", s))
                                            << true << 1 << 16 << s;
        QTest::newRow("odd chunk and its pad byte")
            << riff(fmt16 + chunk("junk", "abc") + chunk("data", s)) << true << 1 << 16 << s;
        QTest::newRow("longer format chunk")
            << riff(chunk("fmt ", fmtBody(1, 1, 22050, 16) + le16(0)) + chunk("data", s)) << true
            << 1 << 16 << s;
        QTest::newRow("odd data size keeps whole frames")
            << riff(fmt16 + chunk("data", s + "x")) << true << 1 << 16 << s;
        QTest::newRow("last odd chunk without its pad")
            << riff(chunk("fmt ", fmtBody(1, 2, 22050, 8)) + chunk("data", s + "x", false)) << true
            << 2 << 8 << s;
        QTest::newRow("header size not trusted")
            << (QByteArray("RIFF") + le32(0) + "WAVE" + fmt16 + chunk("data", s)) << true << 1 << 16
            << s;
        QTest::newRow("bytes after the data")
            << (wave(1, 16, s) + "ID3\3garbage") << true << 1 << 16 << s;

        refused("empty", {});
        refused("text", "not a sound at all, just a line of text");
        refused("not WAVE", "RIFF" + le32(4) + "AVI " + fmt16 + chunk("data", s));
        refused("header cut short", wave(1, 16, s).left(20));
        refused("format cut short", wave(1, 16, s).left(30));
        refused("format chunk too small",
                riff(chunk("fmt ", fmtBody(1, 1, 22050, 16).left(14)) + chunk("data", s)));
        refused("float samples", riff(chunk("fmt ", fmtBody(3, 1, 22050, 32)) + chunk("data", s)));
        refused("extensible format tag",
                riff(chunk("fmt ", fmtBody(0xFFFE, 1, 22050, 16)) + chunk("data", s)));
        refused("ADPCM", riff(chunk("fmt ", fmtBody(2, 1, 22050, 4)) + chunk("data", s)));
        refused("24-bit PCM", wave(1, 24, s));
        refused("32-bit PCM", wave(1, 32, s));
        refused("no channels", wave(0, 16, s));
        refused("three channels", wave(3, 16, s));
        refused("no sample rate", riff(chunk("fmt ", fmtBody(1, 1, 0, 16)) + chunk("data", s)));
        refused("absurd sample rate",
                riff(chunk("fmt ", fmtBody(1, 1, 4000000000u, 16)) + chunk("data", s)));
        refused("huge declared chunk size",
                riff(fmt16 + "LIST" + le32(0xFFFFFFF0u) + "abcd" + chunk("data", s)));
        refused("huge declared data size", riff(fmt16 + "data" + le32(0xFFFFFFFFu) + s));
        refused("data cut short", riff(fmt16 + "data" + le32(800) + s));
        refused("no data chunk", riff(fmt16 + chunk("LIST", "INFO")));
        refused("data before format", riff(chunk("data", s) + fmt16));
        refused("no format chunk", riff(chunk("data", s)));
        refused("empty data", riff(fmt16 + chunk("data", {})));
        refused("less than one frame", riff(fmt16 + chunk("data", "x")));
        refused("odd chunk missing its pad byte",
                riff(fmt16 + chunk("junk", "abc", false) + chunk("data", s)));
    }
    void readsWaves()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, accepted);
        QFETCH(int, channels);
        QFETCH(int, bits);
        QFETCH(QByteArray, samples);
        const std::optional<WaveSound> sound = WaveSound::parse(bytes);
        QCOMPARE(sound.has_value(), accepted);
        if (!sound)
            return;
        QCOMPARE(sound->channels, channels);
        QCOMPARE(sound->bitsPerSample, bits);
        QCOMPARE(sound->sampleRate, 22050);
        QCOMPARE(sound->samples, samples);
    }

    void durationCoversEveryFrame_data()
    {
        QTest::addColumn<int>("channels");
        QTest::addColumn<int>("bits");
        QTest::addColumn<int>("bytes");
        QTest::addColumn<qint64>("ms");
        QTest::newRow("one frame") << 1 << 16 << 2 << qint64(1);
        QTest::newRow("one second mono 16-bit") << 1 << 16 << 44100 << qint64(1000);
        QTest::newRow("one second stereo 16-bit") << 2 << 16 << 88200 << qint64(1000);
        QTest::newRow("half a second mono 8-bit") << 1 << 8 << 11025 << qint64(500);
        QTest::newRow("just over a second") << 1 << 8 << 22051 << qint64(1001);
    }
    void durationCoversEveryFrame()
    {
        QFETCH(int, channels);
        QFETCH(int, bits);
        QFETCH(int, bytes);
        QFETCH(qint64, ms);
        const auto sound =
            WaveSound::parse(wave(quint16(channels), quint16(bits), QByteArray(bytes, '\0')));
        QVERIFY(sound);
        QCOMPARE(sound->durationMs(), ms);
    }

    // Whatever lies under the sound's name is looked at without waiting on it.
    void opensOnlyRegularFiles_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("error");
        QTest::newRow("regular file") << "file"
                                      << "";
        QTest::newRow("missing") << "missing" << kNotFound;
        QTest::newRow("directory") << "directory" << kNotFound;
        QTest::newRow("bad contents") << "text" << kBadFormat;
#ifdef Q_OS_UNIX
        QTest::newRow("FIFO") << "fifo" << kNotFound;
        QTest::newRow("link to a device") << "device" << kNotFound;
        QTest::newRow("link to a good file") << "link"
                                             << "";
        QTest::newRow("dangling link") << "dangling" << kNotFound;
        QTest::newRow("unreadable") << "unreadable"
                                    << "Cannot open file Sound.wav";
#endif
    }
    void opensOnlyRegularFiles()
    {
        QFETCH(QString, kind);
        QFETCH(QString, error);
        QTemporaryDir dir;
        QDir::setCurrent(dir.path());
        const QString name = QStringLiteral("Sound.wav");
        const QByteArray good = wave(1, 16, m_samples);
        if (kind == "file")
            writeRaw(name, good);
        else if (kind == "directory")
            QVERIFY(QDir().mkdir(name));
        else if (kind == "text")
            writeRaw(name, "RIFF");
#ifdef Q_OS_UNIX
        else if (kind == "fifo")
            QCOMPARE(::mkfifo(QFile::encodeName(name).constData(), 0600), 0);
        else if (kind == "device")
            QVERIFY(QFile::link("/dev/zero", name));
        else if (kind == "link") {
            writeRaw("good.wav", good);
            QVERIFY(QFile::link("good.wav", name));
        } else if (kind == "dangling")
            QVERIFY(QFile::link("gone.wav", name));
        else if (kind == "unreadable") {
            if (::geteuid() == 0)
                QSKIP("root reads every file");
            writeRaw(name, good);
            QVERIFY(QFile::setPermissions(name, QFileDevice::WriteOwner));
        }
#endif

        // Opened on a worker so that a hang shows as a failure instead of stopping the run.
        SoundPlayer player;
        auto result = std::async(std::launch::async, [&] { return openError(player, name); });
        const bool done = result.wait_for(std::chrono::seconds(5)) == std::future_status::ready;
#ifdef Q_OS_UNIX
        if (!done && kind == "fifo") {
            // Let the stuck reader go, so that the test can end.
            const int fd = ::open(QFile::encodeName(name).constData(), O_WRONLY | O_NONBLOCK);
            if (fd >= 0)
                ::close(fd);
        }
#endif
        const QString raised = result.get();
        QDir::setCurrent(m_workspace.path());
        QVERIFY2(done, "opening the sound waited");
        QCOMPARE(raised, error);
        QCOMPARE(player.isOpen(), error.isEmpty());
        QCOMPARE(player.isLoaded(), error.isEmpty());
    }

    // A script of steps: "p" plays, "h" lets the sink take 100 bytes, "e" ends the sound.
    void playsOnOrStartsAgain_data()
    {
        QTest::addColumn<QString>("script");
        QTest::addColumn<int>("starts");
        QTest::addColumn<qint64>("position");
        QTest::newRow("one request") << "p" << 1 << qint64(0);
        QTest::newRow("requests while playing") << "p h p h p" << 1 << qint64(200);
        QTest::newRow("many at once") << "p p p p p p" << 1 << qint64(0);
        QTest::newRow("after the end") << "p h h h h e p" << 2 << qint64(0);
        QTest::newRow("stopped early, then asked") << "p h e p" << 2 << qint64(0);
        QTest::newRow("after the end, then heard a little") << "p h e p h" << 2 << qint64(100);
        QTest::newRow("three sounds") << "p e p h e p p" << 3 << qint64(0);
    }
    void playsOnOrStartsAgain()
    {
        QFETCH(QString, script);
        QFETCH(int, starts);
        QFETCH(qint64, position);
        SinkLog log;
        SoundPlayer::setSinkFactory(
            [&](const WaveSound&, const QString&) { return std::make_unique<TestSink>(log); });
        SoundPlayer player;
        player.open("Success.wav");
        for (const QString& step : script.split(' ')) {
            if (step == "p")
                player.play();
            else if (step == "h")
                QCOMPARE(log.source->read(100).size(), 100);
            else if (step == "e")
                log.active = false;
        }
        QCOMPARE(log.starts, starts);
        QCOMPARE(log.source->pos(), position);
        // Every start offers the sound from its first sample.
        QCOMPARE(log.firstBytes, QList<QByteArray>(starts, m_samples.left(4)));
    }

    void eachSoundPlaysOnItsOwn()
    {
        SinkLog success;
        SinkLog problem;
        SoundPlayer::setSinkFactory([&](const WaveSound& sound, const QString&) {
            return std::make_unique<TestSink>(sound.channels == 1 ? success : problem);
        });
        SoundPlayer confirmation;
        SoundPlayer refusal;
        confirmation.open("Success.wav");
        refusal.open("Problem.wav");
        confirmation.play();
        refusal.play();
        confirmation.play();
        refusal.play();
        QCOMPARE(success.starts, 1);
        QCOMPARE(problem.starts, 1);
        QCOMPARE(problem.firstBytes, QList<QByteArray>{ramp(4)});
    }

    void sinksAreMadeForTheSoundsFileName()
    {
        QStringList made;
        SinkLog log;
        SoundPlayer::setSinkFactory([&](const WaveSound&, const QString& fileName) {
            made << fileName;
            return std::make_unique<TestSink>(log);
        });
        SoundPlayer success;
        SoundPlayer problem;
        success.open("Success.wav");
        problem.open("Problem.wav");
        success.play();
        problem.play();
        success.play();
        // One sink for each player, made at its first play.
        QCOMPARE(made, (QStringList{"Success.wav", "Problem.wav"}));

        // The recorder the window tests use hears every request, by name and in order.
        recordPlayRequests();
        SoundPlayer recorded;
        recorded.open("Problem.wav");
        recorded.play();
        recorded.play();
        QCOMPARE(takePlayRequests(), (QStringList{"Problem.wav", "Problem.wav"}));
        QVERIFY(takePlayRequests().isEmpty());
    }

    void closedPlayerReachesNoSink()
    {
        SinkLog log;
        SoundPlayer::setSinkFactory(
            [&](const WaveSound&, const QString&) { return std::make_unique<TestSink>(log); });
        recordPlayRequests();
        SoundPlayer player;
        QCOMPARE(openError(player, "Missing.wav"), kNotFound);
        QVERIFY_THROWS_EXCEPTION(KartakError, player.play());
        QCOMPARE(log.starts, 0);
        QVERIFY(takePlayRequests().isEmpty());
    }

    // This run has no sound server (see main): the sound card's requests fail, quietly and
    // quickly, and every request tries again.
    void withoutASoundDevicePlayingIsQuietAndQuick()
    {
        SoundPlayer player;
        player.open("Success.wav");
        QElapsedTimer timer;
        timer.start();
        for (int i = 0; i < 5; ++i)
            player.play();
        QVERIFY2(timer.elapsed() < 3000, qPrintable(QString::number(timer.elapsed())));
        QVERIFY(player.isLoaded());
    }
};

int main(int argc, char** argv)
{
    // Never reach a sound server that may run where the tests run.
    qputenv("PULSE_SERVER", "unix:/nonexistent/kartak-test-pulse");
    QCoreApplication app(argc, argv);
    TestSound test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "test_sound.moc"
