// SPDX-License-Identifier: GPL-3.0-or-later
#include "WaveFiles.h"
#include "WindowFixtures.h"
#include "Workspace.h"
#include "files/KartakError.h"
#include "platform/DefaultButton.h"
#include "platform/FontConfiguration.h"
#include "platform/Fonts.h"
#include "platform/Memo.h"
#include "platform/MessageBox.h"
#include "platform/OneLineValidator.h"
#include "platform/RunHandler.h"
#include "platform/SaveDialog.h"
#include "platform/SoundPlayer.h"
#include "platform/WindowFontScope.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTimer>
#include <QtEndian>

#include <memory>

#ifdef KARTAK_HAVE_FONTCONFIG
#include <fontconfig/fontconfig.h>

#include <cstdlib>

namespace {

// The font a configuration finds for a pattern, with every setting it is drawn with.
QString fontFound(FcConfig* config, const char* pattern)
{
    FcPattern* asked = FcNameParse(reinterpret_cast<const FcChar8*>(pattern));
    FcConfigSubstitute(config, asked, FcMatchPattern);
    FcDefaultSubstitute(asked);
    FcResult result;
    FcPattern* found = FcFontMatch(config, asked, &result);
    FcChar8* name = found ? FcNameUnparse(found) : nullptr;
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(name));
    free(name);
    if (found)
        FcPatternDestroy(found);
    FcPatternDestroy(asked);
    return text;
}

} // namespace
#endif

class TestPlatform : public QObject
{
    Q_OBJECT
    Workspace m_workspace{QStringList{}};

private slots:
    void initTestCase()
    {
        MessageBox::setRecording(true);
        recordPlayRequests();
    }
    void init()
    {
        MessageBox::takeShown();
        takePlayRequests();
    }

    void errorBoxAddsAFullStop_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("shown");
        QTest::newRow("plain") << "File not found"
                               << "File not found.";
        QTest::newRow("already ended") << "Hotovo."
                                       << "Hotovo.";
        QTest::newRow("empty") << ""
                               << ".";
        QTest::newRow("question") << "Proč?"
                                  << "Proč?.";
        QTest::newRow("ends in dots") << "Cannot open file about..."
                                      << "Cannot open file about...";
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
        QTest::newRow("16-bit PCM") << silentWave(1, 16) << "";
        QTest::newRow("8-bit PCM") << silentWave(1, 8) << "";
        QTest::newRow("32-bit PCM") << silentWave(1, 32) << bad;
        QTest::newRow("float") << silentWave(3, 32) << bad;
        QTest::newRow("text") << QByteArray("not a sound at all") << bad;
        QTest::newRow("empty") << QByteArray() << bad;
        QTest::newRow("cut short") << silentWave(1, 16).left(30) << bad;
    }
    void soundOpensOnlyPlayableWaves()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, error);
        writeRaw("sound.wav", bytes);
        SoundPlayer player;
        QCOMPARE(errorOf([&] { player.open("sound.wav"); }), error);
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
        QCOMPARE(errorOf([&] { player.play(); }), "No MCI device open");
        QVERIFY(takePlayRequests().isEmpty());
    }

    void playRequestsAreRecordedAndTheRealPlayerLoads()
    {
        writeRaw("Success.wav", silentWave(1, 16));
        writeRaw("Problem.wav", silentWave(1, 16));
        SoundPlayer success;
        SoundPlayer problem;
        success.open("Success.wav");
        problem.open("Problem.wav");
        success.play();
        problem.play();
        success.play();
        QCOMPARE(takePlayRequests(), (QStringList{"Success.wav", "Problem.wav", "Success.wav"}));
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

    // The program's folder holds its data files: the dialog never opens there, but in the
    // folder of the last save, else the documents folder, else the home folder.
    void saveDialogOpensWhereTheUserSavesAndNeverInTheProgramFolder()
    {
        SaveDialog::forgetLastFolder();
        const QString documents =
            QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
        const QString expected = QFileInfo(documents).isDir() && documents != QDir::currentPath()
                                     ? documents
                                     : QDir::homePath();
        QCOMPARE(SaveDialog::startFolder(), expected);
        QVERIFY(SaveDialog::startFolder() != QDir::currentPath());

        // A save into the program's own folder is not where the next one starts either.
        SaveDialog dialog;
        SaveDialog::setNextAnswer(QStringLiteral("here"));
        QVERIFY(dialog.execute());
        QCOMPARE(SaveDialog::startFolder(), expected);

        QVERIFY(QDir().mkdir("sheets"));
        SaveDialog::setNextAnswer(QStringLiteral("sheets/first"));
        QVERIFY(dialog.execute());
        QCOMPARE(SaveDialog::startFolder(), QDir::current().absoluteFilePath("sheets"));
        // A cancelled showing changes nothing.
        SaveDialog::setNextAnswer(std::nullopt);
        QVERIFY(!dialog.execute());
        QCOMPARE(SaveDialog::startFolder(), QDir::current().absoluteFilePath("sheets"));
        // A folder that went away since is not offered.
        QVERIFY(QDir("sheets").removeRecursively());
        QCOMPARE(SaveDialog::startFolder(), expected);
        SaveDialog::forgetLastFolder();
    }

    // One dialog window serves every showing, opens where startFolder() says and proposes the
    // name it was given this time, also an empty one after a longer one.
    void saveDialogIsOneWindowForEveryShowing()
    {
        SaveDialog::forgetLastFolder();
        SaveDialog::clearNextAnswer();
        QVERIFY(QDir().mkpath("out"));
        SaveDialog::setNextAnswer(QStringLiteral("out/first"));
        QWidget parent;
        SaveDialog dialog;
        dialog.title = QStringLiteral("Exportovat osobní deník do souboru");
        dialog.filterName = QStringLiteral("HTML Dokument");
        dialog.filterPattern = QStringLiteral("*.htm");
        dialog.defaultSuffix = QStringLiteral("htm");
        QVERIFY(dialog.execute(&parent));

        QList<QPointer<QFileDialog>> seen;
        QStringList proposals;
        QStringList folders;
        for (const QString& name : {QStringLiteral("Pepík"), QString(), QStringLiteral("Žofie")}) {
            dialog.fileName = name;
            QTimer::singleShot(0, &parent, [&] {
                auto* shown = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
                if (!shown)
                    return;
                seen << shown;
                auto* nameEdit = shown->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
                proposals << (nameEdit ? nameEdit->text() : QStringLiteral("?"));
                folders << shown->directory().absolutePath();
                shown->reject();
            });
            QCOMPARE(dialog.execute(&parent), std::nullopt);
        }
        QCOMPARE(seen.size(), 3);
        // A dialog deleted after its showing would have cleared its pointer.
        QVERIFY(!seen[0].isNull());
        QVERIFY(seen[1] == seen[0]);
        QVERIFY(seen[2] == seen[0]);
        QCOMPARE(parent.findChildren<QFileDialog*>().size(), 1);
        QCOMPARE(seen[0]->windowTitle(), dialog.title);
        QCOMPARE(proposals,
                 (QStringList{QStringLiteral("Pepík"), QString(), QStringLiteral("Žofie")}));
        const QString out = QDir::current().absoluteFilePath("out");
        QCOMPARE(folders, (QStringList{out, out, out}));
        SaveDialog::forgetLastFolder();
    }

    // Names and paths in a box are text: markup shows as typed, on one line.
    void boxesShowTheirTextAsTyped_data()
    {
        QTest::addColumn<bool>("error");
        QTest::addColumn<QString>("text");
        for (const bool error : {false, true}) {
            const char* kind = error ? "error" : "information";
            QTest::addRow("%s, heading", kind) << error << QStringLiteral("<h1>Velký");
            QTest::addRow("%s, bold", kind) << error << QStringLiteral("<b>Tom</b> a Jerry");
            QTest::addRow("%s, entity", kind) << error << QStringLiteral("Tom &lt; Jerry");
            QTest::addRow("%s, picture", kind) << error << QStringLiteral("<img src=x> obrázek");
        }
    }
    void boxesShowTheirTextAsTyped()
    {
        QFETCH(bool, error);
        QFETCH(QString, text);
        MessageBox::setRecording(false);
        Qt::TextFormat format = Qt::AutoText;
        QString shownText;
        QString caption;
        int labelHeight = 0;
        int lineHeight = 0;
        QTimer closer;
        connect(&closer, &QTimer::timeout, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box)
                return;
            format = box->textFormat();
            shownText = box->text();
            caption = box->windowTitle();
            if (auto* label = box->findChild<QLabel*>(QStringLiteral("qt_msgbox_label"))) {
                labelHeight = label->sizeHint().height();
                lineHeight = label->fontMetrics().height();
            }
            box->accept();
        });
        closer.start(10);
        if (error)
            MessageBox::error(text);
        else
            MessageBox::information(text);
        closer.stop();
        MessageBox::setRecording(true);
        QCOMPARE(format, Qt::PlainText);
        QCOMPARE(shownText, error ? text + QLatin1Char('.') : text);
        QCOMPARE(caption, QStringLiteral("Karták II"));
        QVERIFY2(
            labelHeight > 0 && labelHeight < 2 * lineHeight,
            qPrintable(
                QStringLiteral("%1 px for one line of %2 px").arg(labelHeight).arg(lineHeight)));
    }

    // A line break pasted into the one-line name becomes a space; so does any control character.
    void oneLineEditKeepsOneLine_data()
    {
        QTest::addColumn<QString>("pasted");
        QTest::addColumn<QString>("kept");
        QTest::newRow("CR LF") << "Prvni\r\nDruhy"
                               << "Prvni Druhy";
        QTest::newRow("LF") << "Prvni\nDruhy"
                            << "Prvni Druhy";
        QTest::newRow("CR") << "Prvni\rDruhy"
                            << "Prvni Druhy";
        QTest::newRow("two breaks") << "a\r\n\r\nb"
                                    << "a  b";
        QTest::newRow("trailing break") << "Pepík\r\n" << QStringLiteral("Pepík ");
        QTest::newRow("tab, escape, delete") << "a\tb\x1B"
                                                "c\x7F"
                                             << "a b c ";
        QTest::newRow("NUL") << QString(QChar(0)) + "x"
                             << " x";
        QTest::newRow("markup kept") << "<b>Tom & \"Jerry\""
                                     << "<b>Tom & \"Jerry\"";
        QTest::newRow("Czech kept")
            << QStringLiteral("Žofie Čapková") << QStringLiteral("Žofie Čapková");
    }
    void oneLineEditKeepsOneLine()
    {
        QFETCH(QString, pasted);
        QFETCH(QString, kept);
        QLineEdit edit;
        edit.setValidator(new OneLineValidator(&edit));
        edit.setText(QStringLiteral("Jméno: "));
        edit.end(false);
        QGuiApplication::clipboard()->setText(pasted);
        edit.paste();
        QCOMPARE(edit.text(), QStringLiteral("Jméno: ") + kept);
        QCOMPARE(edit.cursorPosition(), int(edit.text().size()));
        QTest::keyClicks(&edit, "!");
        QCOMPARE(edit.text(), QStringLiteral("Jméno: ") + kept + QLatin1Char('!'));
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

    void fontConfigurationFindsWhatFontconfigFinds()
    {
#ifdef KARTAK_HAVE_FONTCONFIG
        const std::unique_ptr<FcConfig, void (*)(FcConfig*)> ours(FontConfiguration::read(),
                                                                  FcConfigDestroy);
        const std::unique_ptr<FcConfig, void (*)(FcConfig*)> theirs(FcInitLoadConfigAndFonts(),
                                                                    FcConfigDestroy);
        QVERIFY(ours && theirs);
        QCOMPARE(FcConfigGetFonts(ours.get(), FcSetSystem)->nfont,
                 FcConfigGetFonts(theirs.get(), FcSetSystem)->nfont);
        // Faces the windows name, their stand-ins, the desktop's aliases; hinting and
        // anti-aliasing come with each.
        for (const char* pattern :
             {"MS Sans Serif:pixelsize=11", "Arial CE:bold", "Courier New CE:pixelsize=12", "Arial",
              "Liberation Sans:pixelsize=16", "sans-serif", "serif:italic", "monospace"})
            QCOMPARE(fontFound(ours.get(), pattern), fontFound(theirs.get(), pattern));
        // Read after the program stopped waiting for it, it leaves the current one in place.
        FcConfig* const current = FcConfigGetCurrent();
        FontConfiguration::load(std::atomic<bool>(false));
        QCOMPARE(FcConfigGetCurrent(), current);
#else
        QSKIP("fonts do not come from fontconfig here");
#endif
    }

    void namedFontsAreDrawnAtOnce_data()
    {
        QTest::addColumn<QString>("named");
        QTest::addColumn<bool>("onTheWindow");
        for (const char* face : {"MS Sans Serif", "Arial CE", "Courier New CE"}) {
            QTest::addRow("%s on the memo", face) << face << false;
            QTest::addRow("%s on the window", face) << face << true;
        }
    }
    void namedFontsAreDrawnAtOnce()
    {
        QFETCH(QString, named);
        QFETCH(bool, onTheWindow);
        Fonts::installSubstitutions();
        const QString standIn = Fonts::installedFamily(named);
        if (standIn == named)
            QSKIP("no stand-in installed");
        QWidget window;
        Fonts::useDrawnFonts(&window);
        auto* memo = new QPlainTextEdit(QStringLiteral("Karták"), &window);
        (onTheWindow ? static_cast<QWidget*>(&window) : memo)->setFont(QFont(named, 9));
        // The text is laid out in the face and size that are drawn, inherited or set on the memo
        // itself, never first in the font as named.
        const QFont laidOut = memo->document()->defaultFont();
        QCOMPARE(laidOut.family(), standIn);
        QCOMPARE(laidOut.pixelSize(), Fonts::pixelSizeForPoints(9));
        QCOMPARE(memo->font(), laidOut);
    }

    void windowsMadeInTheirOwnFontOweItNothing()
    {
        Fonts::installSubstitutions();
        const QFont desktop = QApplication::font();
        auto makeWindow = [] {
            auto* window = new QWidget;
            Fonts::useDrawnFonts(window);
            window->setFont(QFont(QStringLiteral("MS Sans Serif"), 8));
            auto* memo = new QPlainTextEdit(window);
            memo->setFont(QFont(QStringLiteral("Arial"), 8));
            new QLabel(QStringLiteral("Karták"), window);
            return window;
        };
        const std::unique_ptr<QWidget> outside(makeWindow());
        std::unique_ptr<QWidget> inside;
        {
            const WindowFontScope windowFont;
            QCOMPARE(QApplication::font(), Fonts::windowFont());
            inside.reset(makeWindow());
        }
        QCOMPARE(QApplication::font(), desktop);
        QList<QWidget*> madeInside = inside->findChildren<QWidget*>() << inside.get();
        QList<QWidget*> madeOutside = outside->findChildren<QWidget*>() << outside.get();
        QCOMPARE(madeInside.size(), madeOutside.size());
        for (qsizetype i = 0; i < madeInside.size(); ++i)
            QCOMPARE(madeInside[i]->font(), madeOutside[i]->font());
        // The program has set the application font, so Qt no longer follows the desktop's:
        // the program does.
        QGuiApplication::setFont(QFont(QStringLiteral("Liberation Mono"), 20));
        QEvent themeChange(QEvent::ThemeChange);
        QCoreApplication::sendEvent(inside.get(), &themeChange);
        QCOMPARE(QApplication::font(), QFontDatabase::systemFont(QFontDatabase::GeneralFont));
    }

    // A memo laid out only while shown looks, whenever it shows, as one laid out all along: the
    // same rows, scroll range and caret after each step. While hidden, it lays nothing out.
    void memoLaidOutWhenShownLooksAsAnyMemo()
    {
        const QString wrapping =
            QStringLiteral("Dračí Doupě, řádek, který se zalomí. ").repeated(4);
        using Step = std::function<void(QPlainTextEdit*)>;
        const QList<std::pair<const char*, Step>> steps{
            {"font", [](QPlainTextEdit* m) { m->setFont(QFont("Liberation Mono", 12)); }},
            {"text",
             [&](QPlainTextEdit* m) { m->setPlainText(QStringList(60, wrapping).join('\n')); }},
            {"show", [](QPlainTextEdit* m) { m->window()->show(); }},
            {"scroll", [](QPlainTextEdit* m) { m->moveCursor(QTextCursor::End); }},
            {"hide", [](QPlainTextEdit* m) { m->window()->hide(); }},
            {"refill",
             [&](QPlainTextEdit* m) { m->document()->setPlainText(wrapping + "\nkonec"); }},
            {"show", [](QPlainTextEdit* m) { m->window()->show(); }},
            {"append", [&](QPlainTextEdit* m) { m->appendPlainText(wrapping); }},
        };
        QWidget ourWindow;
        QWidget plainWindow;
        QPlainTextEdit* const memos[] = {new Memo(&ourWindow), new QPlainTextEdit(&plainWindow)};
        for (QPlainTextEdit* memo : memos) {
            memo->setGeometry(0, 0, 260, 120);
            memo->window()->resize(260, 120);
        }
        const auto looks = [](const QPlainTextEdit* m) {
            return QList<QVariant>{m->verticalScrollBar()->maximum(),
                                   m->verticalScrollBar()->value(), m->cursorRect(),
                                   m->document()->firstBlock().layout()->lineCount()};
        };
        for (const auto& [name, step] : steps) {
            for (QPlainTextEdit* memo : memos) {
                step(memo);
                QVERIFY(!memo->isVisible() || QTest::qWaitForWindowExposed(memo->window()));
            }
            if (memos[0]->isVisible())
                QCOMPARE(looks(memos[0]), looks(memos[1]));
            else if (QByteArray(name) != "hide")
                QCOMPARE(memos[0]->document()->firstBlock().layout()->lineCount(), 0);
        }
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
