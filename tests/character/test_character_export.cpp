#include "CharacterTestSupport.h"
#include "Cp1250.h"
#include "MessageBox.h"
#include "ProgramInfo.h"
#include "SaveDialog.h"
#include "SoundPlayer.h"
#include "TForm3.h"

#include <QClipboard>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QTest>

#include <memory>

#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <unistd.h>

namespace {

// A folder nobody may write to. Root ignores the permission bits, so for root the folder is
// also made immutable.
class ReadOnlyFolder
{
public:
    explicit ReadOnlyFolder(const QString& path) : m_path(path)
    {
        QFile::setPermissions(path, QFile::ReadOwner | QFile::ExeOwner | QFile::ReadGroup |
                                        QFile::ExeGroup | QFile::ReadOther | QFile::ExeOther);
        if (geteuid() == 0)
            m_immutable = setImmutable(true);
    }
    ~ReadOnlyFolder()
    {
        if (m_immutable)
            setImmutable(false);
        QFile::setPermissions(m_path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

    bool isReadOnly() const
    {
        QFile probe(m_path + QStringLiteral("/probe"));
        if (!probe.open(QIODevice::WriteOnly))
            return true;
        probe.remove();
        return false;
    }

private:
    bool setImmutable(bool on)
    {
        const int fd = ::open(QFile::encodeName(m_path).constData(), O_RDONLY | O_DIRECTORY);
        if (fd < 0)
            return false;
        int flags = 0;
        bool done = ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
        if (done) {
            flags = on ? (flags | FS_IMMUTABLE_FL) : (flags & ~FS_IMMUTABLE_FL);
            done = ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
        }
        ::close(fd);
        return done;
    }

    QString m_path;
    bool m_immutable = false;
};

QByteArray cp1250(const QString& text)
{
    return Cp1250::encode(text);
}

QList<QByteArray> sheetLines(const QByteArray& bytes)
{
    QList<QByteArray> lines = bytes.split('\n');
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

} // namespace

class TestCharacterExport : public QObject
{
    Q_OBJECT
    std::unique_ptr<Workspace> m_workspace;
    std::unique_ptr<QWidget> m_notice;
    std::unique_ptr<TForm3> m_form;

    TForm3& form() { return *m_form; }

    // A Člověk Válečník "Pepík" with 150 gold from the seed 3723004.
    void generateCharacter(const QString& name = QStringLiteral("Pepík"))
    {
        form().ComboBox1->setCurrentIndex(4);
        form().Edit1->setText(name);
        form().TrackBar1->setValue(150);
        QTest::mouseClick(form().Button1, Qt::LeftButton);
        QCOMPARE(MessageBox::takeShown().size(), 0);
        SoundPlayer::takePlayRequests();
    }

    void save(std::optional<QString> answer)
    {
        SaveDialog::setNextAnswer(std::move(answer));
        QTest::mouseClick(form().BitBtn2, Qt::LeftButton);
    }

    bool warningShown() const
    {
        return m_form->Label37->isVisible() && m_form->Shape3->isVisible();
    }

private slots:
    void initTestCase()
    {
        MessageBox::setRecording(true);
        SoundPlayer::setRecordingPlayRequests(true);
    }

    void init()
    {
        m_workspace = std::make_unique<Workspace>();
        m_workspace->writeLines(QStringLiteral("tips.ktd"), {"A", "0"});
        m_notice = std::make_unique<QWidget>();
        m_form = std::make_unique<TForm3>();
        form().FormCreate();
        form().setNoticeWindow(m_notice.get());
        form().setClock([] { return QTime(1, 2, 3, 4); });
        form().show();
        QVERIFY(QTest::qWaitForWindowExposed(&form()));
        VersionText = QStringLiteral("1.0 beta");
    }

    void cleanup()
    {
        m_form.reset();
        m_notice.reset();
        m_workspace.reset();
        SaveDialog::clearNextAnswer();
        MessageBox::takeShown();
        SoundPlayer::takePlayRequests();
    }

    void saveProposesTheSheetNameAndAddsTheExtension()
    {
        generateCharacter();
        form().Edit1->setText(QStringLiteral("Jiné jméno"));
        form().BitBtn2MouseMove();
        QVERIFY(warningShown());
        save(QStringLiteral("Pepík"));

        QCOMPARE(SaveDialog::lastProposal(), QStringLiteral("Pepík"));
        QCOMPARE(form().SaveDialog1.title, QStringLiteral("Exportovat osobní deník do souboru"));
        QCOMPARE(form().SaveDialog1.filterName, QStringLiteral("HTML Dokument"));
        QCOMPARE(form().SaveDialog1.filterPattern, QStringLiteral("*.htm"));
        QCOMPARE(form().SaveDialog1.defaultSuffix, QStringLiteral("htm"));
        QCOMPARE(SoundPlayer::takePlayRequests(), QStringList{"Success.wav"});
        const QString path = m_workspace->path(QStringLiteral("Pepík.htm"));
        const auto shown = MessageBox::takeShown();
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown[0].kind, MessageBox::Shown::Information);
        QCOMPARE(shown[0].text, QStringLiteral("Osobní deník byl uložen do souboru ") + path + ".");
        QVERIFY(!warningShown());

        const QList<QByteArray> lines =
            sheetLines(m_workspace->readBytes(QStringLiteral("Pepík.htm")));
        QCOMPARE(lines.size(), 79);
        for (const QByteArray& line : lines)
            QVERIFY(line.endsWith('\r'));
        QCOMPARE(lines[10], cp1250("Jméno: Pepík<br>\r"));
        QCOMPARE(lines[11], cp1250("Rasa a povolání: Člověk Válečník<br>\r"));
        QCOMPARE(lines[19], cp1250("<tr><td><b> Síla:       </b></td><td>15 / +2</td></tr>\r"));
        QCOMPARE(lines[34], cp1250("<TD>-žádná-           </TD>\r"));
        QCOMPARE(lines[62], cp1250("<b>Obranné číslo:</b> 1<br>\r"));
        QCOMPARE(lines[69], cp1250("Zlaťáky:    150<br>\r"));
        QCOMPARE(lines[76], cp1250("Verze 1.0 beta </font> <br>\r"));
    }

    void cancelWritesNothing()
    {
        generateCharacter();
        form().BitBtn2MouseMove();
        save(std::nullopt);
        QCOMPARE(SoundPlayer::takePlayRequests(), QStringList{"Success.wav"});
        QCOMPARE(MessageBox::takeShown().size(), 0);
        QCOMPARE(QDir(m_workspace->path()).entryList({"*.htm"}), QStringList());
        QVERIFY(warningShown());
    }

    // The second save replaces the first whole; the money is the slider's, not the sheet's.
    void savingTwiceKeepsOnlyTheSecondSheet()
    {
        generateCharacter();
        save(QStringLiteral("postava"));
        form().TrackBar1->setValue(42);
        save(QStringLiteral("postava.htm"));
        QCOMPARE(form().Label36->text(), QStringLiteral("150 zl"));
        const QList<QByteArray> lines =
            sheetLines(m_workspace->readBytes(QStringLiteral("postava.htm")));
        QCOMPARE(lines.size(), 79);
        QCOMPARE(lines[69], cp1250("Zlaťáky:    42<br>\r"));
        QCOMPARE(lines.count(cp1250("<html>\r")), 1);
    }

    void readOnlyFolderKeepsTheExistingFile()
    {
        generateCharacter();
        QDir(m_workspace->path()).mkdir(QStringLiteral("ro"));
        m_workspace->writeBytes(QStringLiteral("ro/old.htm"), "the old sheet");
        ReadOnlyFolder folder(m_workspace->path(QStringLiteral("ro")));
        if (!folder.isReadOnly())
            QSKIP("this file system lets the test write to a read-only folder");
        form().BitBtn2MouseMove();
        save(QStringLiteral("ro/old.htm"));
        const auto shown = MessageBox::takeShown();
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown[0].kind, MessageBox::Shown::Error);
        QCOMPARE(shown[0].text, QStringLiteral("File access denied."));
        QCOMPARE(m_workspace->readBytes(QStringLiteral("ro/old.htm")), QByteArray("the old sheet"));
        QCOMPARE(QDir(m_workspace->path(QStringLiteral("ro"))).entryList(QDir::Files),
                 QStringList{"old.htm"});
        QVERIFY(warningShown());
    }

    void typedMarkupAndForeignLettersAreEscaped()
    {
        generateCharacter(QStringLiteral("<b>Tom & \"Jerry\" Жук"));
        save(QStringLiteral("escaped"));
        QCOMPARE(SaveDialog::lastProposal(), QStringLiteral("<b>Tom & \"Jerry\" Жук"));
        const QList<QByteArray> lines =
            sheetLines(m_workspace->readBytes(QStringLiteral("escaped.htm")));
        QCOMPARE(lines[10], QByteArray("Jm\xE9no: &lt;b&gt;Tom &amp; &quot;Jerry&quot; "
                                       "&#1046;&#1091;&#1082;<br>\r"));
    }

    void copyPutsThePlainSheetOnTheClipboard()
    {
        generateCharacter();
        form().TrackBar1->setValue(77);
        m_workspace->writeBytes(TForm3::TempSheetFile, "left over");
        form().BitBtn1Click();

        QCOMPARE(SoundPlayer::takePlayRequests(), QStringList{"Success.wav"});
        QVERIFY(m_notice->isVisible());
        const QString expected = QStringLiteral("OSOBNÍ DENÍK\r\n"
                                                "\r\n"
                                                "Jméno: Pepík\r\n"
                                                "Rasa a povolání: Člověk Válečník\r\n"
                                                "\r\n"
                                                "Životy: 12\r\n"
                                                "Magy:   0\r\n"
                                                "\r\n"
                                                "Síla:        15 / +2\r\n"
                                                "Obratnost:   10 / 0\r\n"
                                                "Odolnost:    16 / +2\r\n"
                                                "Inteligence: 12 / 0\r\n"
                                                "Charisma:    8 / -1\r\n"
                                                "Velikost:    B\r\n"
                                                "\r\n"
                                                "Postřeh (objekty): 12 %\r\n"
                                                "Postřeh (mech.):   6 %\r\n"
                                                "\r\n"
                                                "PENÍZE: Zlaťáky:    77\r\n"
                                                "        Stříbrňáky: 0\r\n"
                                                "        Měďáky:     0\r\n") +
                                 QString(56, QLatin1Char('-')) + QStringLiteral("\r\n");
        QCOMPARE(QGuiApplication::clipboard()->text(), expected);
        QVERIFY(form().Memo1->toPlainText().isEmpty());
        QVERIFY(!QFileInfo::exists(m_workspace->path(TForm3::TempSheetFile)));
        const auto shown = MessageBox::takeShown();
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown[0].kind, MessageBox::Shown::Information);
        QCOMPARE(shown[0].text, QStringLiteral("Osobní deník byl zkopírován do schránky."));
        QVERIFY(!form().BitBtn1->isEnabled());
    }

    void copyThatCannotCreateItsFileLeavesTheClipboard()
    {
        QGuiApplication::clipboard()->setText(QStringLiteral("before"));
        QDir(m_workspace->path()).mkdir(QStringLiteral("ro"));
        ReadOnlyFolder folder(m_workspace->path(QStringLiteral("ro")));
        if (!folder.isReadOnly())
            QSKIP("this file system lets the test write to a read-only folder");
        QDir::setCurrent(m_workspace->path(QStringLiteral("ro")));
        form().BitBtn1Click();
        QDir::setCurrent(m_workspace->path());
        const auto shown = MessageBox::takeShown();
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown[0].kind, MessageBox::Shown::Error);
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("before"));
        QVERIFY(m_notice->isVisible());
    }
};

QTEST_MAIN(TestCharacterExport)
#include "test_character_export.moc"
