// SPDX-License-Identifier: GPL-3.0-or-later
#include "NonRegularFiles.h"
#include "WindowFixtures.h"
#include "Workspace.h"
#include "character/TForm3.h"
#include "character/TForm5.h"
#include "files/KartakError.h"
#include "platform/MessageBox.h"
#include "platform/SoundPlayer.h"

#include <QClipboard>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QKeySequence>
#include <QLabel>
#include <QTest>

#include <memory>

namespace {

const QColor kRed(0xFF, 0x00, 0x00);
const QColor kGreen(0x00, 0x80, 0x00);

QColor textColor(const QLabel* label)
{
    return label->palette().color(QPalette::WindowText);
}

QStringList items(const QComboBox* list)
{
    QStringList texts;
    for (int i = 0; i < list->count(); ++i)
        texts << list->itemText(i);
    return texts;
}

} // namespace

class TestCharacterWindow : public QObject
{
    Q_OBJECT
    std::unique_ptr<Workspace> m_workspace;
    std::unique_ptr<TForm5> m_tipWindow;
    std::unique_ptr<TForm3> m_form;

    TForm3& form() { return *m_form; }

    // The window as start-up leaves it, in a folder with the sounds and the given tips.
    void makeWindow(const QList<QByteArray>& tips = {"A", "B", "C", "0"})
    {
        m_workspace = std::make_unique<Workspace>();
        if (!tips.isEmpty())
            m_workspace->writeLines(QStringLiteral("tips.ktd"), tips);
        m_tipWindow = std::make_unique<TForm5>();
        m_form = std::make_unique<TForm3>();
        form().FormCreate();
        form().setTipWindow(m_tipWindow.get());
        form().setClock([] { return QTime(1, 2, 3, 4); });
        takePlayRequests();
    }

    void generate() { QTest::mouseClick(form().Button1, Qt::LeftButton); }

    void expectButtonRestored()
    {
        QVERIFY(form().Button1->isEnabled());
        QCOMPARE(form().Button1->text(), QStringLiteral("&Generuj!"));
        QCOMPARE(form().Button1->font().pixelSize(), 11);
    }

    void moveOver(QWidget* widget, QPoint where = {})
    {
        if (where.isNull())
            where = widget->rect().center();
        // Two moves: the platform drops a move to where the pointer already is.
        const QPoint point = widget->mapTo(&form(), where);
        QTest::mouseMove(form().windowHandle(), point + QPoint(1, 1));
        QTest::mouseMove(form().windowHandle(), point);
    }

    bool warningShown()
    {
        const bool shown = form().Label37->isVisible();
        for (QWidget* part :
             {static_cast<QWidget*>(form().Shape3), static_cast<QWidget*>(form().Shape4),
              static_cast<QWidget*>(form().Shape5)})
            if (part->isVisible() != shown)
                qWarning("the warning's parts are not shown together");
        return shown && form().Shape3->isVisible() && form().Shape4->isVisible() &&
               form().Shape5->isVisible();
    }

private slots:
    void initTestCase()
    {
        MessageBox::setRecording(true);
        recordPlayRequests();
    }

    void cleanup()
    {
        m_form.reset();
        m_tipWindow.reset();
        m_workspace.reset();
        MessageBox::takeShown();
        takePlayRequests();
    }

    void itemListsAndInitialState()
    {
        makeWindow();
        QCOMPARE(form().windowTitle(), QStringLiteral("Generování postavy"));
        QCOMPARE(form().size(), QSize(601, 399));
        QCOMPARE(form().minimumSize(), form().maximumSize());
        QVERIFY(!(form().windowFlags() & Qt::WindowMaximizeButtonHint));

        QCOMPARE(items(form().ComboBox1),
                 QStringList({"Hobit", "Kudůk", "Trpaslík", "Elf", "Člověk", "Barbar", "Kroll"}));
        QCOMPARE(items(form().ComboBox2),
                 QStringList({"Válečník", "Hraničář", "Alchymista", "Kouzelník", "Zloděj"}));
        QCOMPARE(form().ComboBox3->count(), 28);
        QCOMPARE(form().ComboBox3->itemText(19), QStringLiteral("Tesák a dýka 4/0/+2"));
        QCOMPARE(form().ComboBox3->itemText(27), QStringLiteral("Široký meč a tesák  6/-2/+2"));
        QCOMPARE(form().ComboBox5->count(), 15);
        QCOMPARE(form().ComboBox5->itemText(13), QStringLiteral("Lahev  0/+1  4-7-10"));
        QCOMPARE(items(form().ComboBox6), items(form().ComboBox5));
        QCOMPARE(items(form().ComboBox4),
                 QStringList({"žádná", "Vycpávaná (2)", "Kožená (3)", "Šupinová (4)",
                              "Kroužková (5)", "Plátová (6)", "Rytířská (7)", "Mitrilová (8)"}));
        for (QComboBox* list : {form().ComboBox1, form().ComboBox2, form().ComboBox3,
                                form().ComboBox4, form().ComboBox5, form().ComboBox6}) {
            QVERIFY(!list->isEditable());
            QCOMPARE(list->currentIndex(), 0);
        }
        QCOMPARE(form().ComboBox3->currentText(), QStringLiteral("žádná"));

        QCOMPARE(form().Edit1->text(), QStringLiteral("Pepík"));
        QVERIFY(form().RadioButton1->isChecked());
        QVERIFY(!form().CheckBox1->isChecked() && form().CheckBox1->isEnabled());
        QCOMPARE(form().TrackBar1->maximum(), 200);
        QCOMPARE(form().TrackBar1->value(), 0);
        QCOMPARE(form().Label34->text(), QStringLiteral("0"));
        QVERIFY(form().Button1->isEnabled());
        QVERIFY(!form().BitBtn1->isEnabled());
        QVERIFY(!form().BitBtn2->isEnabled());
        QVERIFY(form().BitBtn3->isEnabled() && form().BitBtn5->isEnabled());
        QVERIFY(form().Label37->isHidden() && form().Shape3->isHidden() &&
                form().Shape4->isHidden() && form().Shape5->isHidden());
        QVERIFY(form().Memo1->isHidden());

        for (const char* name : {"Label7", "Label10", "Label11", "Label16", "Label17", "Label18",
                                 "Label19", "Label21", "Label22", "Label24", "Label29", "Label30",
                                 "Label63", "Label36", "Label44", "Label50", "Label56"})
            QCOMPARE(form().findChild<QLabel*>(name)->text(), QStringLiteral("N/A"));
        for (const char* name :
             {"Label45", "Label46", "Label47", "Label51", "Label52", "Label53", "Label54",
              "Label55", "Label57", "Label58", "Label59", "Label60", "Label61"})
            QCOMPARE(form().findChild<QLabel*>(name)->text(), QStringLiteral("0"));
        for (QLabel* field :
             {form().Label11, form().Label16, form().Label17, form().Label18, form().Label19})
            QCOMPARE(textColor(field), kRed);

        // Tab goes through the inputs and commands in the window's own order.
        const QList<QWidget*> tabOrder = {
            form().ComboBox1,    form().ComboBox2,    form().Button1,     form().Edit1,
            form().BitBtn1,      form().BitBtn2,      form().BitBtn3,     form().TrackBar1,
            form().Button2,      form().Memo1,        form().ComboBox3,   form().BitBtn5,
            form().ComboBox5,    form().ComboBox6,    form().ComboBox4,   form().CheckBox1,
            form().RadioButton1, form().RadioButton2, form().RadioButton3};
        for (int i = 0; i + 1 < tabOrder.size(); ++i) {
            QWidget* next = tabOrder[i]->nextInFocusChain();
            while (next->focusPolicy() == Qt::NoFocus || !tabOrder.contains(next))
                next = next->nextInFocusChain();
            QCOMPARE(next, tabOrder[i + 1]);
        }
    }

    void labelsShowTheirWholeText_data()
    {
        QTest::addColumn<bool>("generated");
        QTest::newRow("first shown") << false;
        QTest::newRow("generated") << true;
    }
    void labelsShowTheirWholeText()
    {
        QFETCH(bool, generated);
        makeWindow();
        form().Edit1->setText(QStringLiteral("Bohumil Rozvážný z Dlouhé Lhoty"));
        if (generated) {
            generate();
        } else {
            form().show();
            QVERIFY(QTest::qWaitForWindowExposed(&form()));
        }
        for (QLabel* label : form().findChildren<QLabel*>()) {
            if (label->wordWrap() || label->text().isEmpty())
                continue;
            QVERIFY2(label->width() >= label->sizeHint().width(), qPrintable(label->objectName()));
        }
    }

    void closingOnlyHidesAndKeepsEverything()
    {
        makeWindow();
        form().show();
        QVERIFY(QTest::qWaitForWindowExposed(&form()));
        chooseByUser(form().ComboBox1, 3);
        chooseByUser(form().ComboBox5, 2);
        form().Edit1->setText(QStringLiteral("Lenka"));
        QTest::mouseClick(form().Button2, Qt::LeftButton);
        QTest::keyClick(form().TrackBar1, Qt::Key_End);
        generate();
        const QString sheetName = form().Label7->text();
        const QString strength = form().Label11->text();

        QTest::mouseClick(form().BitBtn5, Qt::LeftButton);
        QVERIFY(form().isHidden());
        form().show();
        QCOMPARE(form().ComboBox1->currentIndex(), 3);
        QCOMPARE(form().ComboBox5->currentIndex(), 2);
        QCOMPARE(form().Edit1->text(), QStringLiteral("Lenka"));
        QCOMPARE(form().TrackBar1->maximum(), 1000);
        QCOMPARE(form().TrackBar1->value(), 1000);
        QCOMPARE(form().Label7->text(), sheetName);
        QCOMPARE(form().Label11->text(), strength);
        QVERIFY(form().BitBtn2->isEnabled());

        form().close();
        QVERIFY(form().isHidden());
        form().show();
        QCOMPARE(form().Label36->text(), QStringLiteral("1000 zl"));
    }

    // A Člověk Válečník from the time 01:02:03.004 (seed 3723004) rolls Síla 15, Obratnost 10,
    // Odolnost 16, Inteligence 12, Charisma 8.
    void generationWithAFixedSeed()
    {
        makeWindow();
        form().ComboBox1->setCurrentIndex(4);
        form().ComboBox2->setCurrentIndex(0);
        form().ComboBox3->setCurrentIndex(26);
        form().ComboBox5->setCurrentIndex(2);
        form().ComboBox6->setCurrentIndex(14);
        form().ComboBox4->setCurrentIndex(4);
        form().Edit1->setText(QStringLiteral(" Žofie "));
        form().TrackBar1->setValue(150);
        generate();

        QCOMPARE(takePlayRequests(), QStringList{"Success.wav"});
        QCOMPARE(MessageBox::takeShown().size(), 0);
        const QList<std::pair<const char*, QString>> fields = {
            {"Label7", " Žofie "},  {"Label10", "Člověk Válečník"},
            {"Label11", "15 / +2"}, {"Label16", "10 / 0"},
            {"Label17", "16 / +2"}, {"Label18", "12 / 0"},
            {"Label19", "8 / -1"},  {"Label21", "12"},
            {"Label22", "0"},       {"Label24", "B"},
            {"Label29", "12"},      {"Label30", "6"},
            {"Label36", "150 zl"},  {"Label44", "Dvě šavle         "},
            {"Label45", "10"},      {"Label46", "-2"},
            {"Label47", "3"},       {"Label50", "Dlouhý luk"},
            {"Label51", "5"},       {"Label52", "1"},
            {"Label53", "15"},      {"Label54", "30"},
            {"Label55", "50"},      {"Label56", "Pochodeň  "},
            {"Label57", "1"},       {"Label58", "1"},
            {"Label59", "4"},       {"Label60", "7"},
            {"Label61", "10"},      {"Label63", "8"},
        };
        for (const auto& [name, text] : fields)
            QCOMPARE(form().findChild<QLabel*>(name)->text(), text);
        const QColor windowText = form().palette().color(QPalette::WindowText);
        QCOMPARE(textColor(form().Label11), kGreen);
        QCOMPARE(textColor(form().Label16), windowText);
        QCOMPARE(textColor(form().Label17), kGreen);
        QCOMPARE(textColor(form().Label18), windowText);
        QCOMPARE(textColor(form().Label19), kRed);

        QCOMPARE(form().generationResults().melee.attackNumber, 10);
        QCOMPARE(form().generationResults().ranged2.sheetName, QStringLiteral("Pochodeň  "));
        QCOMPARE(form().generationResults().defenceNumber, 8);
        QVERIFY(form().BitBtn2->isEnabled());
        QVERIFY(!form().BitBtn1->isEnabled());
        QCOMPARE(m_tipWindow->tip(), QStringLiteral("A"));
        QCOMPARE(form().tipOfTheDay().counter(), 1);
        expectButtonRestored();

        // Inputs changed afterwards leave the sheet alone until the next press.
        chooseByUser(form().ComboBox1, 6);
        form().Edit1->setText(QStringLiteral("Jiný"));
        QCOMPARE(form().Label7->text(), QStringLiteral(" Žofie "));
        QCOMPARE(form().Label10->text(), QStringLiteral("Člověk Válečník"));
        QCOMPARE(form().Label44->text(), QStringLiteral("Dvě šavle         "));
    }

    void tipsSequence_data()
    {
        QTest::addColumn<QList<QByteArray>>("tips");
        QTest::addColumn<QStringList>("shown");
        QTest::addRow("wraps after the end marker")
            << QList<QByteArray>{"A", "B", "C", "0", "hidden"}
            << QStringList{"A", "A", "B", "C", "A", "B", "C", "A"};
        QTest::addRow("no end marker")
            << QList<QByteArray>{"A", "B"} << QStringList{"A", "A", "B", "", ""};
        QTest::addRow("end marker first") << QList<QByteArray>{"0", "A"} << QStringList{"", "", ""};
        QTest::addRow("only near misses")
            << QList<QByteArray>{"0 ", " 0", "0"} << QStringList{"0 ", "0 ", " 0", "0 "};
    }

    void tipsSequence()
    {
        QFETCH(QList<QByteArray>, tips);
        QFETCH(QStringList, shown);
        makeWindow(tips);
        QCOMPARE(m_tipWindow->tip(), TForm5::InitialTip);
        for (const QString& tip : shown) {
            generate();
            QCOMPARE(m_tipWindow->tip(), tip);
            expectButtonRestored();
        }
        QCOMPARE(MessageBox::takeShown().size(), 0);
    }

    void tipsFileReadAfresh()
    {
        makeWindow({"A", "B", "0"});
        generate();
        generate();
        m_workspace->writeLines(QStringLiteral("tips.ktd"), {"X", "Y", "0"});
        generate();
        QCOMPARE(m_tipWindow->tip(), QStringLiteral("Y"));
    }

    // A tip line of megabytes neither hangs the generation nor the tip window.
    void hugeTipLine()
    {
        makeWindow({QByteArray(10 * 1024 * 1024, 'x'), "0"});
        QElapsedTimer timer;
        timer.start();
        generate();
        m_tipWindow->show();
        QCoreApplication::processEvents();
        QVERIFY2(timer.elapsed() < 10000, "a huge tip line stalled the program");
        QCOMPARE(m_tipWindow->tip(), QString(2000, 'x'));
        QVERIFY(MessageBox::takeShown().isEmpty());
    }

    // A missing tips file stops the generation at its last step; the new character stands and
    // the command stays usable.
    void tipsFileMissing()
    {
        makeWindow({});
        form().Edit1->setText(QStringLiteral("Bez tipu"));
        generate();
        expectErrorBox(QStringLiteral("File not found."));
        QCOMPARE(form().Label7->text(), QStringLiteral("Bez tipu"));
        QCOMPARE(form().Label63->text().toInt() >= 1, true);
        QVERIFY(form().BitBtn2->isEnabled());
        QCOMPARE(m_tipWindow->tip(), TForm5::InitialTip);
        expectButtonRestored();
    }

    // A tips file that is a folder, a pipe or a socket is refused at once, as a file that
    // cannot be opened: the generation stops at its tip step and the command stays usable.
    void tipsFileNotARegularFile_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("folder") << "folder";
        QTest::newRow("pipe") << "pipe";
        QTest::newRow("socket") << "socket";
    }
    void tipsFileNotARegularFile()
    {
        QFETCH(QString, kind);
        makeWindow({});
        const QString tips = m_workspace->path(QStringLiteral("tips.ktd"));
        if (kind == "folder") {
            QVERIFY(QDir().mkdir(tips));
            generate();
        } else {
#ifdef Q_OS_UNIX
            std::unique_ptr<SocketFile> socket;
            if (kind == "pipe") {
                QVERIFY(makeFifo(tips));
            } else {
                socket = std::make_unique<SocketFile>(tips);
                if (!socket->isValid())
                    QSKIP("no socket file can be made here");
            }
            FifoWatchdog watchdog(tips);
            generate();
            QVERIFY2(!watchdog.fired(), "the generation waited on the tips pipe");
#else
            QSKIP("pipes and sockets as files are a Unix feature");
#endif
        }
        expectErrorBox(QStringLiteral("File access denied."));
        QVERIFY(form().BitBtn2->isEnabled());
        QCOMPARE(m_tipWindow->tip(), TForm5::InitialTip);
        expectButtonRestored();
    }

    // The name on the sheet is text as typed: markup neither formats it nor grows its row.
    void nameFieldShowsMarkupAsTyped_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("heading") << QStringLiteral("<h1>Velký");
        QTest::newRow("bold") << QStringLiteral("<b>Tom</b>");
        QTest::newRow("entity") << QStringLiteral("Tom &lt; Jerry");
        QTest::newRow("picture") << QStringLiteral("<img src=x>");
    }
    void nameFieldShowsMarkupAsTyped()
    {
        QFETCH(QString, name);
        makeWindow();
        form().Edit1->setText(name);
        generate();
        QCOMPARE(form().Label7->textFormat(), Qt::PlainText);
        QCOMPARE(form().Label7->text(), name);
        const int lineHeight = form().Label7->fontMetrics().height();
        QVERIFY(form().Label7->sizeHint().height() < 2 * lineHeight);
        QVERIFY(form().Label7->height() < 2 * lineHeight);
        QVERIFY(form().Label7->sizeHint().width() >=
                form().Label7->fontMetrics().horizontalAdvance(name));
    }

    // A tip is shown as the line reads, markup and all.
    void tipShowsMarkupAsTyped()
    {
        makeWindow({"<h1>Velk\xfd <b>tip</b> &lt; <img src=x>", "0"});
        generate();
        QCOMPARE(m_tipWindow->tip(), QStringLiteral("<h1>Velký <b>tip</b> &lt; <img src=x>"));
        QVERIFY(MessageBox::takeShown().isEmpty());
    }

    // What is pasted into the one-line name stays on one line.
    void pastedLineBreakBecomesASpace()
    {
        makeWindow();
        form().show();
        QVERIFY(QTest::qWaitForWindowExposed(&form()));
        QGuiApplication::clipboard()->setText(QStringLiteral("Prvni\r\nDruhy\tTreti"));
        form().Edit1->selectAll();
        form().Edit1->setFocus();
        QTest::keySequence(form().Edit1, QKeySequence::Paste);
        QCOMPARE(form().Edit1->text(), QStringLiteral("Prvni Druhy Treti"));
        generate();
        QCOMPARE(form().Label7->text(), QStringLiteral("Prvni Druhy Treti"));
    }

    void tipWindowButton()
    {
        makeWindow();
        QTest::mouseClick(form().BitBtn3, Qt::LeftButton);
        QCOMPARE(takePlayRequests(), QStringList{"Success.wav"});
        QVERIFY(m_tipWindow->isVisible());
        QCOMPARE(m_tipWindow->tip(), TForm5::InitialTip);
        QTest::mouseClick(form().BitBtn3, Qt::LeftButton);
        QVERIFY(m_tipWindow->isVisible());
        QTest::mouseClick(m_tipWindow->Button1, Qt::LeftButton);
        QVERIFY(m_tipWindow->isHidden());
        QCOMPARE(m_tipWindow->tip(), TForm5::InitialTip);
    }

    void moneySliderAndItsSteps()
    {
        makeWindow();
        form().TrackBar1->setValue(120); // set by the program: nothing runs
        QCOMPARE(form().Label34->text(), QStringLiteral("0"));
        QTest::keyClick(form().TrackBar1, Qt::Key_Right);
        QCOMPARE(form().Label34->text(), QStringLiteral("121"));

        QTest::mouseClick(form().Button2, Qt::LeftButton);
        QCOMPARE(form().TrackBar1->maximum(), 1000);
        QCOMPARE(form().TrackBar1->tickInterval(), 100);
        QCOMPARE(form().TrackBar1->value(), 121);
        QVERIFY(form().Button2->isEnabled());
        QCOMPARE(MessageBox::takeShown().size(), 0);

        form().TrackBar1->setValue(665);
        QTest::keyClick(form().TrackBar1, Qt::Key_Right);
        QCOMPARE(form().Label34->text(), QStringLiteral("666"));
        auto shown = MessageBox::takeShown();
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown[0].kind, MessageBox::Shown::Information);
        QCOMPARE(shown[0].caption, QStringLiteral("Karták II"));
        QCOMPARE(shown[0].text, QStringLiteral("AVE SATANAS:-)"));
        QTest::keyClick(form().TrackBar1, Qt::Key_Right);
        QCOMPARE(MessageBox::takeShown().size(), 0);
        QTest::keyClick(form().TrackBar1, Qt::Key_Left);
        QCOMPARE(MessageBox::takeShown().size(), 1);

        QTest::mouseClick(form().Button2, Qt::LeftButton);
        QCOMPARE(form().TrackBar1->maximum(), 100000);
        QCOMPARE(form().TrackBar1->tickInterval(), 5000);
        QVERIFY(!form().Button2->isEnabled());
        QCOMPARE(form().TrackBar1->value(), 666);
        QTest::mouseClick(form().Button2, Qt::LeftButton);
        QCOMPARE(form().TrackBar1->maximum(), 100000);
        QTest::keyClick(form().TrackBar1, Qt::Key_End);
        QCOMPARE(form().Label34->text(), QStringLiteral("100000"));
        generate();
        QCOMPARE(form().Label36->text(), QStringLiteral("100000 zl"));
    }

    void overwriteWarningFollowsThePointer()
    {
        makeWindow();
        form().show();
        QVERIFY(QTest::qWaitForWindowExposed(&form()));
        moveOver(form().BitBtn2); // disabled before the first generation
        QVERIFY(!warningShown());
        generate();
        moveOver(form().BitBtn2);
        QVERIFY(warningShown());
        moveOver(form().ComboBox3);
        moveOver(form().Label44);
        moveOver(form().Shape1, {300, 380});
        QVERIFY(warningShown());
        moveOver(form().BitBtn3);
        QVERIFY(!warningShown());

        for (QWidget* hider :
             {static_cast<QWidget*>(form().Button1), static_cast<QWidget*>(form().BitBtn5)}) {
            moveOver(form().BitBtn2);
            QVERIFY(warningShown());
            moveOver(hider);
            QVERIFY(!warningShown());
        }
        moveOver(form().BitBtn2);
        QTest::mouseMove(form().windowHandle(), QPoint(4, 365)); // the window's free area
        QVERIFY(!warningShown());
        // The copy button stays disabled, so it never hides the warning.
        moveOver(form().BitBtn2);
        moveOver(form().BitBtn1);
        QVERIFY(warningShown());
    }

    void failedSoundAtSetUp_data()
    {
        QTest::addColumn<QStringList>("sounds");
        QTest::addColumn<bool>("refusalOpen");
        QTest::addRow("Problem.wav missing") << QStringList{"Success.wav"} << false;
        QTest::addRow("Success.wav missing") << QStringList{"Problem.wav"} << true;
    }

    void failedSoundAtSetUp()
    {
        QFETCH(QStringList, sounds);
        QFETCH(bool, refusalOpen);
        Workspace workspace(sounds);
        workspace.writeLines(QStringLiteral("tips.ktd"), {"A", "0"});
        TForm3 form;
        QVERIFY_THROWS_EXCEPTION(KartakError, form.FormCreate());
        QCOMPARE(form.MediaPlayer1.isOpen(), refusalOpen);
        QVERIFY(!form.MediaPlayer2.isOpen());
        for (QComboBox* list : {form.ComboBox1, form.ComboBox2, form.ComboBox3, form.ComboBox4,
                                form.ComboBox5, form.ComboBox6})
            QCOMPARE(list->currentIndex(), -1);

        QTest::mouseClick(form.Button1, Qt::LeftButton);
        const auto shown = MessageBox::takeShown();
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown[0].text, QStringLiteral("No MCI device open."));
        QCOMPARE(form.Label7->text(), QStringLiteral("N/A"));
        QVERIFY(!form.BitBtn2->isEnabled());
        QVERIFY(form.Button1->isEnabled());
        QCOMPARE(form.Button1->text(), QStringLiteral("&Generuj!"));

        // A permitted choice cannot play its sound: the error box, and the choice stays.
        chooseByUser(form.ComboBox4, 0);
        QCOMPARE(MessageBox::takeShown().size(), 1);
        QCOMPARE(form.ComboBox4->currentIndex(), 0);
    }
};

QTEST_MAIN(TestCharacterWindow)
#include "test_character_window.moc"
