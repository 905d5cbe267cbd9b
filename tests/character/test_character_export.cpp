// SPDX-License-Identifier: GPL-3.0-or-later
#include "FailDevice.h"
#include "WindowFixtures.h"
#include "Workspace.h"
#include "character/TForm3.h"
#include "files/Cp1250.h"
#include "files/TextFile.h"
#include "platform/MessageBox.h"
#include "platform/ProgramInfo.h"
#include "platform/SaveDialog.h"
#include "platform/SoundPlayer.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QTest>
#include <QTimer>

#include <cerrno>

#include <memory>

#ifdef Q_OS_LINUX
#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <unistd.h>
#endif

namespace {

// A folder nobody may write to. Root ignores the permission bits, so for root the folder is
// also made immutable where the system allows it (Linux). Elsewhere, and on Windows, where
// the permission bits do not bind folders, isReadOnly() tells whether it worked.
class ReadOnlyFolder
{
public:
    explicit ReadOnlyFolder(const QString& path) : m_path(path)
    {
        QFile::setPermissions(path, QFile::ReadOwner | QFile::ExeOwner | QFile::ReadGroup |
                                        QFile::ExeGroup | QFile::ReadOther | QFile::ExeOther);
#ifdef Q_OS_LINUX
        if (geteuid() == 0)
            m_immutable = setImmutable(true);
#endif
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
#ifdef Q_OS_LINUX
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
#else
    bool setImmutable(bool)
    {
        return false;
    }
#endif

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

// Answers the real save dialog as a user who confirms the proposed name unchanged; a dialog that
// does not take the name is cancelled.
class ConfirmProposal
{
public:
    ConfirmProposal()
    {
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            if (!dialog)
                return;
            if (m_accepted)
                dialog->reject();
            else
                static_cast<QDialog*>(dialog)->accept(); // as the Save button does
            m_accepted = true;
        });
        m_timer.start(10);
    }

private:
    QTimer m_timer;
    bool m_accepted = false;
};

} // namespace

Q_DECLARE_METATYPE(SaveStep)

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
        takePlayRequests();
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
        recordPlayRequests();
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
        takePlayRequests();
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
        QCOMPARE(takePlayRequests(), QStringList{"Success.wav"});
        const QString path = m_workspace->path(QStringLiteral("Pepík.htm"));
        expectInformationBox(QStringLiteral("Osobní deník byl uložen do souboru ") + path + ".");
        QVERIFY(!warningShown());

        const QList<QByteArray> lines =
            sheetLines(m_workspace->readBytes(QStringLiteral("Pepík.htm")));
        QCOMPARE(lines.size(), 79);
        for (const QByteArray& line : lines)
            QVERIFY(line.endsWith('\r'));
        QCOMPARE(lines[6], "<!-- " + ProgramInfo::AuthorWeb.toLatin1() + " -->\r");
        QCOMPARE(lines[7], "<!-- e-mail: " + ProgramInfo::AuthorEmail.toLatin1() + " -->\r");
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
        QCOMPARE(takePlayRequests(), QStringList{"Success.wav"});
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
        expectErrorBox(QStringLiteral("File access denied."));
        QCOMPARE(m_workspace->readBytes(QStringLiteral("ro/old.htm")), QByteArray("the old sheet"));
        QCOMPARE(QDir(m_workspace->path(QStringLiteral("ro"))).entryList(QDir::Files),
                 QStringList{"old.htm"});
        QVERIFY(warningShown());
    }

    // A save that fails at any step, on a full disk above all, keeps the old sheet whole,
    // leaves no temporary file, shows the runtime's text and no success message.
    void failedSaveKeepsTheOldSheet_data()
    {
        QTest::addColumn<int>("versionLength");
        QTest::addColumn<SaveStep>("step");
        QTest::addColumn<int>("writeNumber");
        QTest::addColumn<int>("systemError");
        QTest::addColumn<QString>("error");
        QTest::newRow("small sheet, first write")
            << 8 << SaveStep::Write << 1 << ENOSPC << "I/O error 28.";
        QTest::newRow("big sheet, first write")
            << 100000 << SaveStep::Write << 1 << ENOSPC << "I/O error 28.";
        QTest::newRow("big sheet, later write")
            << 100000 << SaveStep::Write << 9 << ENOSPC << "I/O error 28.";
        QTest::newRow("small sheet, flush")
            << 8 << SaveStep::Flush << 0 << ENOSPC << "I/O error 28.";
        QTest::newRow("big sheet, flush")
            << 100000 << SaveStep::Flush << 0 << EIO << "I/O error 5.";
        QTest::newRow("small sheet, commit") << 8 << SaveStep::Commit << 0 << EIO << "I/O error 5.";
        QTest::newRow("big sheet, commit")
            << 100000 << SaveStep::Commit << 0 << ENOSPC << "I/O error 28.";
    }
    void failedSaveKeepsTheOldSheet()
    {
        QFETCH(int, versionLength);
        QFETCH(SaveStep, step);
        QFETCH(int, writeNumber);
        QFETCH(int, systemError);
        QFETCH(QString, error);
        generateCharacter();
        VersionText = QString(versionLength, u'v');
        QDir(m_workspace->path()).mkdir(QStringLiteral("out"));
        const QByteArray old = "<html>the old sheet</html>\r\n";
        m_workspace->writeBytes(QStringLiteral("out/old.htm"), old);
        form().BitBtn2MouseMove();

        failNextSave(step, systemError, writeNumber);
        save(QStringLiteral("out/old.htm"));
        expectErrorBox(error);
        QCOMPARE(m_workspace->readBytes(QStringLiteral("out/old.htm")), old);
        QCOMPARE(
            QDir(m_workspace->path(QStringLiteral("out"))).entryList(QDir::Files | QDir::Hidden),
            QStringList{"old.htm"});
        QVERIFY(warningShown());
    }

    // Run by tools/check-full-disk.sh with KARTAK_FULL_DISK_DIR on a file system it filled up:
    // the save meets the real full disk.
    void saveOntoARealFullDisk()
    {
        const QString folder = qEnvironmentVariable("KARTAK_FULL_DISK_DIR");
        if (folder.isEmpty())
            QSKIP("needs a full file system in KARTAK_FULL_DISK_DIR (tools/check-full-disk.sh)");
        const QString target = QDir(folder).filePath(QStringLiteral("old.htm"));
        QFile oldFile(target);
        QVERIFY(oldFile.open(QIODevice::ReadOnly));
        const QByteArray old = oldFile.readAll();
        oldFile.close();
        generateCharacter();
        VersionText =
            QString(qEnvironmentVariableIntValue("KARTAK_FULL_DISK_VERSION_LENGTH"), u'v');
        save(target);
        const auto shown = MessageBox::takeShown();
        for (const auto& box : shown)
            qInfo("%s box: %s", box.kind == MessageBox::Shown::Error ? "error" : "information",
                  qPrintable(box.text));
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown[0].kind, MessageBox::Shown::Error);
        QCOMPARE(shown[0].text, QStringLiteral("I/O error %1.").arg(ENOSPC));
        QVERIFY(oldFile.open(QIODevice::ReadOnly));
        QCOMPARE(oldFile.readAll(), old);
        QCOMPARE(
            QDir(folder).entryList(QDir::Files | QDir::Hidden).filter(QStringLiteral("old.htm")),
            QStringList{"old.htm"});
    }

    // The real dialog, confirmed as it opens: it saves the file it proposes, a safe name made
    // from the sheet's name, in the folder of the last save; the sheet keeps the name whole.
    void confirmedProposalIsTheFileWritten_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("fileName");
        QTest::addColumn<QByteArray>("line11");
        QTest::newRow("plain") << QStringLiteral("Pepík") << QStringLiteral("Pepík.htm")
                               << cp1250("Jméno: Pepík<br>\r");
        QTest::newRow("quoted data file")
            << "Pepa \"tips.ktd\""
            << "Pepa _tips.ktd_.htm" << QByteArray("Jm\xE9no: Pepa &quot;tips.ktd&quot;<br>\r");
        QTest::newRow("quoted name")
            << "Tom \"Jerry\""
            << "Tom _Jerry_.htm" << QByteArray("Jm\xE9no: Tom &quot;Jerry&quot;<br>\r");
        QTest::newRow("one quote") << "\""
                                   << "_.htm" << QByteArray("Jm\xE9no: &quot;<br>\r");
        QTest::newRow("slash") << "a/b"
                               << "a_b.htm" << QByteArray("Jm\xE9no: a/b<br>\r");
        QTest::newRow("markup") << QStringLiteral("<h1>Velký") << QStringLiteral("_h1_Velký.htm")
                                << cp1250("Jméno: &lt;h1&gt;Velký<br>\r");
        QTest::newRow("spaces and dots") << " x. "
                                         << "x.htm" << QByteArray("Jm\xE9no:  x. <br>\r");
        QTest::newRow("300 letters") << QString(300, u'ž') << QString(125, u'ž') + ".htm"
                                     << cp1250("Jméno: ") + QByteArray(300, '\x9E') + "<br>\r";
        QTest::newRow("dots only, nothing proposed") << ".."
                                                     << "" << QByteArray();
    }
    void confirmedProposalIsTheFileWritten()
    {
        QFETCH(QString, name);
        QFETCH(QString, fileName);
        QFETCH(QByteArray, line11);
        const QByteArray tips = m_workspace->readBytes(QStringLiteral("tips.ktd"));
        QDir(m_workspace->path()).mkdir(QStringLiteral("out"));
        m_workspace->writeBytes(QStringLiteral("out/tips.ktd"), tips);
        generateCharacter(name);
        // The first save, answered at once, picks the folder the dialog opens in next.
        save(QStringLiteral("out/first"));
        MessageBox::takeShown();
        SaveDialog::clearNextAnswer();
        {
            ConfirmProposal confirm;
            QTest::mouseClick(form().BitBtn2, Qt::LeftButton);
        }
        const QDir out(m_workspace->path(QStringLiteral("out")));
        QStringList written = out.entryList(QDir::Files | QDir::Hidden);
        written.removeAll(QStringLiteral("first.htm"));
        written.removeAll(QStringLiteral("tips.ktd"));
        const auto shown = MessageBox::takeShown();
        QCOMPARE(m_workspace->readBytes(QStringLiteral("tips.ktd")), tips);
        QCOMPARE(m_workspace->readBytes(QStringLiteral("out/tips.ktd")), tips);
        QCOMPARE(QDir(m_workspace->path()).entryList({"*.htm"}, QDir::Files | QDir::Hidden),
                 QStringList());
        if (fileName.isEmpty()) {
            QCOMPARE(written, QStringList());
            QCOMPARE(shown.size(), 0);
            return;
        }
        QCOMPARE(written, QStringList{fileName});
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown[0].kind, MessageBox::Shown::Information);
        QCOMPARE(shown[0].text, QStringLiteral("Osobní deník byl uložen do souboru ") +
                                    QDir::toNativeSeparators(out.filePath(fileName)) + ".");
        const QList<QByteArray> lines = sheetLines(m_workspace->readBytes("out/" + fileName));
        QCOMPARE(lines.size(), 79);
        QCOMPARE(lines[10], line11);
        QCOMPARE(form().Label7->text(), name);
    }

    // A line break pasted into the name field never reaches the sheets: the HTML keeps its 79
    // lines and the clipboard its 22.
    void pastedLineBreakKeepsBothSheetsWhole()
    {
        QGuiApplication::clipboard()->setText(QStringLiteral("Prvni\r\nDruhy"));
        form().Edit1->selectAll();
        form().Edit1->setFocus();
        QTest::keySequence(form().Edit1, QKeySequence::Paste);
        QCOMPARE(form().Edit1->text(), QStringLiteral("Prvni Druhy"));
        QTest::mouseClick(form().Button1, Qt::LeftButton);
        MessageBox::takeShown();
        save(std::nullopt);
        QCOMPARE(SaveDialog::lastProposal(), QStringLiteral("Prvni Druhy"));
        save(QStringLiteral("lines"));
        const QList<QByteArray> lines =
            sheetLines(m_workspace->readBytes(QStringLiteral("lines.htm")));
        QCOMPARE(lines.size(), 79);
        QCOMPARE(lines[10], cp1250("Jméno: Prvni Druhy<br>\r"));

        form().BitBtn1Click();
        const QString copied = QGuiApplication::clipboard()->text();
        QCOMPARE(copied.count(QStringLiteral("\r\n")), 22);
        QVERIFY(copied.contains(QStringLiteral("\r\nJméno: Prvni Druhy\r\n")));
    }

    // The saved file's path is shown as text, whatever the name holds.
    void successMessageHoldsThePathAsTyped()
    {
        generateCharacter(QStringLiteral("<h1>Velký"));
        save(QStringLiteral("<h1>Velký"));
        const auto shown = MessageBox::takeShown();
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown[0].text,
                 QStringLiteral("Osobní deník byl uložen do souboru ") +
                     QDir::toNativeSeparators(m_workspace->path(QStringLiteral("<h1>Velký.htm"))) +
                     ".");
    }

    void typedMarkupAndForeignLettersAreEscaped()
    {
        generateCharacter(QStringLiteral("<b>Tom & \"Jerry\" Жук"));
        save(QStringLiteral("escaped"));
        QCOMPARE(SaveDialog::lastProposal(), QStringLiteral("_b_Tom & _Jerry_ Жук"));
        const QList<QByteArray> lines =
            sheetLines(m_workspace->readBytes(QStringLiteral("escaped.htm")));
        QCOMPARE(lines[10], QByteArray("Jm\xE9no: &lt;b&gt;Tom &amp; &quot;Jerry&quot; "
                                       "&#1046;&#1091;&#1082;<br>\r"));
    }

    void copyPutsThePlainSheetOnTheClipboard()
    {
        generateCharacter();
        form().TrackBar1->setValue(77);
        m_workspace->writeBytes(SheetExport::TempSheetFile, "left over");
        form().BitBtn1Click();

        QCOMPARE(takePlayRequests(), QStringList{"Success.wav"});
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
        QVERIFY(!QFileInfo::exists(m_workspace->path(SheetExport::TempSheetFile)));
        expectInformationBox(QStringLiteral("Osobní deník byl zkopírován do schránky."));
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
