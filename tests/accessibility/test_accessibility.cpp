#include "CharacterTestSupport.h"
#include "MessageBox.h"
#include "SaveDialog.h"
#include "SoundPlayer.h"
#include "TForm1.h"
#include "TForm2.h"
#include "TForm3.h"
#include "TForm4.h"
#include "TForm5.h"
#include "TForm6.h"
#include "TForm7.h"

#include <QAccessible>
#include <QApplication>
#include <QFileInfo>
#include <QTest>

#include <memory>

namespace {

QAccessibleInterface* accessible(QWidget* widget)
{
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(widget);
    if (!face)
        qFatal("no accessible interface for %s", qPrintable(widget->objectName()));
    return face;
}

QString focusName()
{
    return QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QString();
}

// Presses a key where the keyboard's focus is, as the user's key press lands.
void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier, int times = 1)
{
    for (int i = 0; i < times; ++i)
        QTest::keyClick(QApplication::focusWidget(), key, modifiers);
}

// Types text into the focused control key by key, letters beyond ASCII too.
void type(const QString& text)
{
    for (const QChar letter : text)
        QTest::sendKeyEvent(QTest::Click, QApplication::focusWidget(),
                            Qt::Key(letter.toUpper().unicode()), QString(letter), Qt::NoModifier);
}

void showActive(QWidget* window)
{
    window->show();
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window));
}

} // namespace

class TestAccessibility : public QObject
{
    Q_OBJECT
    std::unique_ptr<Workspace> m_workspace;
    std::vector<std::unique_ptr<QWidget>> m_windows;
    std::unique_ptr<TForm3> m_character;

    QWidget* window(const QString& name)
    {
        for (const auto& window : m_windows)
            if (window->objectName() == name)
                return window.get();
        qFatal("no window %s", qPrintable(name));
    }

    QWidget* control(const QString& windowName, const QString& name)
    {
        auto* widget = window(windowName)->findChild<QWidget*>(name);
        if (!widget)
            qFatal("no %s in %s", qPrintable(name), qPrintable(windowName));
        return widget;
    }

    // The character window as start-up leaves it, with the sounds and a tip beside it.
    TForm3& characterWindow()
    {
        m_workspace = std::make_unique<Workspace>();
        m_workspace->writeLines(QStringLiteral("tips.ktd"), {"A", "0"});
        m_character = std::make_unique<TForm3>();
        m_character->FormCreate();
        m_character->setClock([] { return QTime(1, 2, 3, 4); });
        SoundPlayer::takePlayRequests();
        return *m_character;
    }

private slots:
    void initTestCase()
    {
        MessageBox::setRecording(true);
        SoundPlayer::setRecordingPlayRequests(true);
        m_windows.push_back(std::make_unique<TForm1>());
        m_windows.push_back(std::make_unique<TForm2>());
        m_windows.push_back(std::make_unique<TForm3>());
        m_windows.push_back(std::make_unique<TForm4>());
        m_windows.push_back(std::make_unique<TForm5>());
        m_windows.push_back(std::make_unique<TForm6>());
        m_windows.push_back(std::make_unique<TForm7>());
    }

    void cleanup()
    {
        m_character.reset();
        m_workspace.reset();
        SaveDialog::clearNextAnswer();
        MessageBox::takeShown();
        SoundPlayer::takePlayRequests();
    }

    void controlsHaveNamesAndDescriptions_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("control");
        QTest::addColumn<int>("role");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("description");

        const auto row = [](const char* window, const char* control, QAccessible::Role role,
                            const QString& name, const QString& description = {}) {
            QTest::addRow("%s.%s", window, control)
                << window << control << int(role) << name << description;
        };
        const QString primary = QStringLiteral("Zaškrtni, kterou zbraň postava primárně používá. "
                                               "Podle toho bude určeno obranné číslo.");
        const QString ranged = QStringLiteral("Urči si svoji zbraň pro střelecký souboj");

        row("TForm1", "Button1", QAccessible::Button, "Generovat", "Generate");
        row("TForm1", "Button2", QAccessible::Button, "Informace o programu", "About");
        row("TForm1", "Button3", QAccessible::Button, "Konec programu", "Quit the program");
        row("TForm1", "Button4", QAccessible::Button, "Informace o betaverzi");
        row("TForm1", "Label3", QAccessible::StaticText, "verze",
            "Dobře míněná rada: Neklikejte na to...");

        row("TForm2", "Image1", QAccessible::Graphic,
            "Karták II, generátor osobních deníků pro hru Dračí Doupě");
        row("TForm2", "Memo1", QAccessible::EditableText, "Informace o programu");
        row("TForm2", "Panel1", QAccessible::Button, "Návrat do hlavního menu");

        row("TForm3", "ComboBox1", QAccessible::ComboBox, "Rasa");
        row("TForm3", "ComboBox2", QAccessible::ComboBox, "Povolání");
        row("TForm3", "Edit1", QAccessible::EditableText, "Jméno", "Sem napiš jméno tvé postavy.");
        row("TForm3", "ComboBox3", QAccessible::ComboBox, "Zbraň pro boj tváří v tvář",
            "Urči si svoji zbraň pro boj tváří v tvář");
        row("TForm3", "ComboBox5", QAccessible::ComboBox, "První zbraň pro střelecký souboj",
            ranged);
        row("TForm3", "ComboBox6", QAccessible::ComboBox, "Druhá zbraň pro střelecký souboj",
            ranged);
        row("TForm3", "ComboBox4", QAccessible::ComboBox, "Zbroj", "Nastav si svoji zbroj");
        row("TForm3", "RadioButton1", QAccessible::RadioButton,
            "Primárně používá zbraň pro boj tváří v tvář", primary);
        row("TForm3", "RadioButton2", QAccessible::RadioButton,
            "Primárně používá první zbraň pro střelecký souboj", primary);
        row("TForm3", "RadioButton3", QAccessible::RadioButton,
            "Primárně používá druhou zbraň pro střelecký souboj", primary);
        row("TForm3", "Label64", QAccessible::StaticText, "Používá",
            "U následujících políček zaškrtni, kterou zbraň bude postava používat primárně a zda "
            "používá štít.");
        row("TForm3", "CheckBox1", QAccessible::CheckBox, "Štít",
            "Zaškrtni toto políčko, pokud chceš, aby postava používala štít. Štít nelze používat "
            "spolu s obouruční zbraní.");
        row("TForm3", "TrackBar1", QAccessible::Slider, "Peníze",
            "Urči, kolik má tvoje postava peněz.");
        row("TForm3", "Button2", QAccessible::Button, "více...", "Zvětší maximální množství peněz");
        row("TForm3", "Button1", QAccessible::Button, "Generuj!",
            "Nageneruje postavu podle zvolených parametrů. Každým nagenerováním se také mění tip "
            "v sekci Tip dne.");
        row("TForm3", "BitBtn1", QAccessible::Button, "Kopírovat do schránky",
            "Zkopíruje nagenerovaný osobní deník do schránky");
        row("TForm3", "BitBtn2", QAccessible::Button, "Uložit",
            "Exportuje osobní deník do souboru");
        row("TForm3", "BitBtn3", QAccessible::Button, "Tip dne", "Otevře nové okno s tipem dne.");
        row("TForm3", "BitBtn5", QAccessible::Button, "Zpět do hlavního menu", "Zavře toto okno");
        row("TForm3", "Image1", QAccessible::Graphic, "Osobní deník");
        row("TForm3", "Label11", QAccessible::StaticText, "Síla N/A");
        row("TForm3", "Label29", QAccessible::StaticText, "Postřeh obj. N/A %");
        row("TForm3", "Label45", QAccessible::StaticText, "Útočné číslo 0");
        row("TForm3", "Label61", QAccessible::StaticText, "Dlouhý dostřel 0");

        row("TForm4", "Image1", QAccessible::Graphic, "Ve vývoji");
        row("TForm4", "Button1", QAccessible::Button, "OK");
        row("TForm5", "Memo2", QAccessible::EditableText, "Tip");
        row("TForm5", "Button1", QAccessible::Button, "OK");
        row("TForm6", "Memo1", QAccessible::EditableText, "Více informací o programu");
        row("TForm6", "Button1", QAccessible::Button, "OK");
        row("TForm7", "Image1", QAccessible::Graphic,
            "Karták II, osobní deník pro hru Dračí Doupě. Načítám, počkejte prosím...");
    }

    void controlsHaveNamesAndDescriptions()
    {
        QFETCH(QString, window);
        QFETCH(QString, control);
        QFETCH(int, role);
        QFETCH(QString, name);
        QFETCH(QString, description);
        QAccessibleInterface* face = accessible(this->control(window, control));
        QCOMPARE(int(face->role()), role);
        QCOMPARE(face->text(QAccessible::Name), name);
        QCOMPARE(face->text(QAccessible::Description), description);
    }

    void labelsLabelTheirInputs_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("label");
        QTest::addColumn<QString>("input");
        const auto row = [](const char* window, const char* label, const char* input) {
            QTest::addRow("%s.%s", window, input) << window << label << input;
        };
        row("TForm3", "Label2", "ComboBox1");
        row("TForm3", "Label3", "ComboBox2");
        row("TForm3", "Label6", "Edit1");
        row("TForm3", "Label31", "TrackBar1");
        row("TForm3", "Label39", "ComboBox3");
        row("TForm3", "Label38", "ComboBox5");
        row("TForm3", "Label41", "ComboBox6");
        row("TForm3", "Label40", "ComboBox4");
        row("TForm5", "Label1", "Memo2");
        row("TForm6", "Label1", "Memo1");
    }

    void labelsLabelTheirInputs()
    {
        QFETCH(QString, window);
        QFETCH(QString, label);
        QFETCH(QString, input);
        QStringList labelledBy;
        const auto relations = accessible(control(window, input))->relations(QAccessible::Label);
        for (const auto& relation : relations)
            labelledBy << relation.first->object()->objectName();
        QCOMPARE(labelledBy, QStringList{label});
    }

    // Assistive tools press the About window's panel as they press a button.
    void panelIsPressedLikeAButton()
    {
        auto* about = static_cast<TForm2*>(window(QStringLiteral("TForm2")));
        about->show();
        QAccessibleActionInterface* actions = accessible(about->Panel1)->actionInterface();
        QVERIFY(actions);
        QVERIFY(actions->actionNames().contains(QAccessibleActionInterface::pressAction()));
        actions->doAction(QAccessibleActionInterface::pressAction());
        QVERIFY(about->isHidden());
    }

    void sheetFieldsNameTheirValues_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("name");
        QTest::newRow("name") << "Label7"
                              << "Jméno Pepík";
        QTest::newRow("race and profession") << "Label10"
                                             << "Rasa a povolání Člověk Válečník";
        QTest::newRow("strength") << "Label11"
                                  << "Síla 15 / +2";
        QTest::newRow("charisma") << "Label19"
                                  << "Charisma 8 / -1";
        QTest::newRow("objects") << "Label29"
                                 << "Postřeh obj. 12 %";
        QTest::newRow("defence") << "Label63"
                                 << "Obranné číslo 1";
        QTest::newRow("money") << "Label36"
                               << "Peníze 150 zl";
    }

    // A Člověk Válečník "Pepík" with 150 gold from the seed 3723004, as on the exported sheet.
    void sheetFieldsNameTheirValues()
    {
        QFETCH(QString, field);
        QFETCH(QString, name);
        TForm3& form = characterWindow();
        form.ComboBox1->setCurrentIndex(4);
        form.TrackBar1->setValue(150);
        QTest::mouseClick(form.Button1, Qt::LeftButton);
        QCOMPARE(accessible(form.findChild<QLabel*>(field))->text(QAccessible::Name), name);
    }

    void tabOrder_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<bool>("generated");
        QTest::addColumn<QStringList>("order");
        QTest::newRow("main menu")
            << "TForm1" << false << QStringList{"Button1", "Button2", "Button3", "Button4"};
        // The hidden memo and the disabled commands take no focus. The three radio buttons are
        // one group: Tab stops at the checked one, the arrow keys move the choice.
        const QStringList before = {"ComboBox1", "ComboBox2",   "Button1",   "Edit1",
                                    "BitBtn3",   "TrackBar1",   "Button2",   "ComboBox3",
                                    "BitBtn5",   "ComboBox5",   "ComboBox6", "ComboBox4",
                                    "CheckBox1", "RadioButton1"};
        QTest::newRow("character window") << "TForm3" << false << before;
        QStringList after = before;
        after.insert(after.indexOf("BitBtn3"), QStringLiteral("BitBtn2"));
        after.last() = QStringLiteral("RadioButton3");
        QTest::newRow("character window after a generation") << "TForm3" << true << after;
    }

    // Tab goes round the window from the first focus and back to it; Shift+Tab the other way.
    void tabOrder()
    {
        QFETCH(QString, window);
        QFETCH(bool, generated);
        QFETCH(QStringList, order);
        QWidget* shown = window == "TForm3" ? &characterWindow() : this->window(window);
        showActive(shown);
        if (generated) {
            m_character->RadioButton3->setChecked(true);
            press(Qt::Key_Return);
        }
        QCOMPARE(focusName(), order.first());

        QStringList forward;
        for (int i = 0; i < order.size(); ++i) {
            press(Qt::Key_Tab);
            forward << focusName();
        }
        QCOMPARE(forward, order.mid(1) << order.first());

        QStringList backward;
        for (int i = 0; i < order.size(); ++i) {
            press(Qt::Key_Backtab, Qt::ShiftModifier);
            backward.prepend(focusName());
        }
        QCOMPARE(backward, order);
        shown->hide();
    }

    // The busy "&Generuj!" is disabled for a moment; the focus comes back to it afterwards.
    void generatingKeepsTheFocusOnTheButton()
    {
        TForm3& form = characterWindow();
        showActive(&form);
        press(Qt::Key_Tab, Qt::NoModifier, 2);
        QCOMPARE(focusName(), QStringLiteral("Button1"));
        press(Qt::Key_Space);
        QCOMPARE(form.Label7->text(), QStringLiteral("Pepík"));
        QCOMPARE(focusName(), QStringLiteral("Button1"));
    }

    void keyboardAloneMakesGeneratesAndSaves_data()
    {
        QTest::addColumn<int>("key");
        QTest::newRow("Space") << int(Qt::Key_Space);
        QTest::newRow("Enter") << int(Qt::Key_Return);
    }

    void keyboardAloneMakesGeneratesAndSaves()
    {
        QFETCH(int, key);
        TForm3& form = characterWindow();
        showActive(&form);

        press(Qt::Key_Down, Qt::NoModifier, 3); // Elf
        press(Qt::Key_Tab);
        press(Qt::Key_Down); // Hraničář
        press(Qt::Key_Tab, Qt::NoModifier, 2);
        QCOMPARE(focusName(), QStringLiteral("Edit1"));
        type(QStringLiteral("Žofie"));
        press(Qt::Key_Tab, Qt::NoModifier, 2);
        QCOMPARE(focusName(), QStringLiteral("TrackBar1"));
        press(Qt::Key_Right);
        press(Qt::Key_PageUp);
        press(Qt::Key_Tab, Qt::NoModifier, 2);
        QCOMPARE(focusName(), QStringLiteral("ComboBox3"));
        press(Qt::Key_Down, Qt::NoModifier, 3); // Krátký meč
        press(Qt::Key_Tab, Qt::NoModifier, 2);
        press(Qt::Key_Down, Qt::NoModifier, 2); // Dlouhý luk
        press(Qt::Key_Tab, Qt::NoModifier, 2);
        press(Qt::Key_Down); // Vycpávaná
        press(Qt::Key_Tab);
        press(Qt::Key_Space);
        press(Qt::Key_Tab);
        press(Qt::Key_Down);
        QCOMPARE(focusName(), QStringLiteral("RadioButton2"));

        QCOMPARE(form.ComboBox1->currentText(), QStringLiteral("Elf"));
        QCOMPARE(form.ComboBox2->currentText(), QStringLiteral("Hraničář"));
        QCOMPARE(form.Edit1->text(), QStringLiteral("Žofie"));
        QCOMPARE(form.TrackBar1->value(), 3);
        QCOMPARE(form.Label34->text(), QStringLiteral("3"));
        QCOMPARE(form.ComboBox3->currentIndex(), 3);
        QCOMPARE(form.ComboBox5->currentIndex(), 2);
        QCOMPARE(form.ComboBox4->currentIndex(), 1);
        QVERIFY(form.CheckBox1->isChecked());
        QVERIFY(form.RadioButton2->isChecked() && !form.RadioButton1->isChecked());
        QCOMPARE(SoundPlayer::takePlayRequests(), QStringList(6, QStringLiteral("Success.wav")));

        press(Qt::Key_Return);
        QCOMPARE(form.Label7->text(), QStringLiteral("Žofie"));
        QCOMPARE(form.Label10->text(), QStringLiteral("Elf Hraničář"));
        QCOMPARE(form.Label36->text(), QStringLiteral("3 zl"));
        QVERIFY(form.BitBtn2->isEnabled());
        QCOMPARE(SoundPlayer::takePlayRequests(), QStringList{"Success.wav"});

        press(Qt::Key_Tab, Qt::NoModifier, 5);
        QCOMPARE(focusName(), QStringLiteral("BitBtn2"));
        SaveDialog::setNextAnswer(QStringLiteral("Žofie"));
        press(Qt::Key(key));
        const QString path = m_workspace->path(QStringLiteral("Žofie.htm"));
        QVERIFY(QFileInfo(path).size() > 0);
        const auto shown = MessageBox::takeShown();
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown[0].text, QStringLiteral("Osobní deník byl uložen do souboru ") + path + ".");
        QCOMPARE(focusName(), QStringLiteral("BitBtn2"));
    }
};

QTEST_MAIN(TestAccessibility)
#include "test_accessibility.moc"
