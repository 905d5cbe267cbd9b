// SPDX-License-Identifier: GPL-3.0-or-later
#include "WindowFixtures.h"
#include "Workspace.h"
#include "app/TForm1.h"
#include "character/TForm3.h"
#include "character/TForm5.h"
#include "platform/Accessibility.h"
#include "platform/MessageBox.h"
#include "platform/SaveDialog.h"
#include "platform/SoundPlayer.h"
#include "windows/TForm2.h"
#include "windows/TForm4.h"
#include "windows/TForm6.h"
#include "windows/TForm7.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QApplication>
#include <QFileInfo>
#include <QRegularExpression>
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

// What the program itself told assistive tools.
struct ToldEvent
{
    QAccessible::Event type;
    QAccessible::Role role;
    QObject* object;
    QString name;
};
QList<ToldEvent> toldEvents;

void recordEvent(QAccessibleEvent* event)
{
    QAccessibleInterface* face = event->accessibleInterface();
    if (face)
        toldEvents.append(
            {event->type(), face->role(), face->object(), face->text(QAccessible::Name)});
}

QList<ToldEvent> takeTold(QAccessible::Event type)
{
    QList<ToldEvent> wanted;
    for (const ToldEvent& told : std::as_const(toldEvents))
        if (told.type == type)
            wanted << told;
    toldEvents.clear();
    return wanted;
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
        takePlayRequests();
        return *m_character;
    }

private slots:
    void initTestCase()
    {
        MessageBox::setRecording(true);
        Accessibility::install();
        Accessibility::setEventListener(recordEvent);
        recordPlayRequests();
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
        takePlayRequests();
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
        // A keyboard user never hovers over the button, so it also tells the overwrite warning.
        row("TForm3", "BitBtn2", QAccessible::Button, "Uložit",
            "Exportuje osobní deník do souboru. Pozor: Pokud zadáte jméno souboru, který už "
            "existuje, soubor se přepíše bez varování!");
        row("TForm3", "BitBtn3", QAccessible::Button, "Tip dne", "Otevře nové okno s tipem dne.");
        row("TForm3", "BitBtn5", QAccessible::Button, "Zpět do hlavního menu", "Zavře toto okno");
        row("TForm3", "Image1", QAccessible::Graphic, "Osobní deník");
        // A field beside its caption is read as it stands; the caption labels it.
        row("TForm3", "Label11", QAccessible::StaticText, "N/A");
        row("TForm3", "Label29", QAccessible::StaticText, "N/A");
        // The weapon rows stand under a column header, so each field tells what it holds.
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

    void windowsAreFramesOrDialogs_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<int>("role");
        QTest::newRow("main menu") << "TForm1" << int(QAccessible::Window);
        QTest::newRow("about") << "TForm2" << int(QAccessible::Dialog);
        QTest::newRow("character") << "TForm3" << int(QAccessible::Window);
        QTest::newRow("notice") << "TForm4" << int(QAccessible::Window);
        QTest::newRow("tip") << "TForm5" << int(QAccessible::Window);
        QTest::newRow("beta notes") << "TForm6" << int(QAccessible::Dialog);
        QTest::newRow("splash") << "TForm7" << int(QAccessible::Dialog);
    }

    void windowsAreFramesOrDialogs()
    {
        QFETCH(QString, window);
        QFETCH(int, role);
        QCOMPARE(int(accessible(this->window(window))->role()), role);
    }

    void treeLeavesOutHiddenControlsAndDecoration_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("control");
        QTest::addColumn<bool>("listed");
        const auto row = [](const char* window, const char* control, bool listed) {
            QTest::addRow("%s.%s", window, control) << window << control << listed;
        };
        row("TForm1", "Image1", false); // a picture without a name
        row("TForm1", "Button1", true);
        row("TForm3", "Memo1", false);   // never shown
        row("TForm3", "Label37", false); // the warning, hidden until hovered
        row("TForm3", "Shape1", false);  // the sheet's frame
        row("TForm3", "Shape2", false);
        row("TForm3", "Shape3", false); // the warning's bracket
        row("TForm3", "Image2", false); // the row icons
        row("TForm3", "Image3", false);
        row("TForm3", "Image4", false);
        row("TForm3", "Image5", false);
        row("TForm3", "Image1", true); // "Osobní deník"
        row("TForm3", "ComboBox6", true);
        row("TForm3", "Label7", true);
        row("TForm5", "Shape6", false);
        row("TForm5", "Memo2", true);
        row("TForm7", "Shape1", false);
        row("TForm7", "Image1", true);
    }

    // A window lists what a user can find in it, and every control it lists knows its place.
    void treeLeavesOutHiddenControlsAndDecoration()
    {
        QFETCH(QString, window);
        QFETCH(QString, control);
        QFETCH(bool, listed);
        QAccessibleInterface* face = accessible(this->window(window));
        QAccessibleInterface* child = accessible(this->control(window, control));
        QList<QAccessibleInterface*> children;
        for (int i = 0; i < face->childCount(); ++i)
            children << face->child(i);
        QCOMPARE(children.contains(child), listed);
        const int index = face->indexOfChild(child);
        QCOMPARE(index >= 0, listed);
        if (listed)
            QCOMPARE(children.at(index), child);
        QVERIFY(!children.contains(nullptr));
    }

    void shownWarningJoinsTheTree()
    {
        TForm3& form = characterWindow();
        QAccessibleInterface* face = accessible(&form);
        QCOMPARE(face->indexOfChild(accessible(form.Label37)), -1);
        QTest::mouseClick(form.Button1, Qt::LeftButton);
        form.BitBtn2MouseMove();
        QVERIFY(face->indexOfChild(accessible(form.Label37)) >= 0);
    }

    void listsTellTheirItem_data()
    {
        QTest::addColumn<QString>("list");
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("item");
        QTest::newRow("race") << "ComboBox1" << 3 << "Elf";
        QTest::newRow("profession") << "ComboBox2" << 4 << "Zloděj";
        QTest::newRow("melee") << "ComboBox3" << 19 << "Tesák a dýka 4/0/+2";
        QTest::newRow("armour") << "ComboBox4" << 7 << "Mitrilová (8)";
        QTest::newRow("first ranged") << "ComboBox5" << 13 << "Lahev  0/+1  4-7-10";
        QTest::newRow("second ranged") << "ComboBox6" << 0 << "žádná";
    }

    // A closed list gives its current item as value and as its text, which screen readers read
    // with the list's name.
    void listsTellTheirItem()
    {
        QFETCH(QString, list);
        QFETCH(int, index);
        QFETCH(QString, item);
        TForm3& form = characterWindow();
        auto* combo = form.findChild<QComboBox*>(list);
        combo->setCurrentIndex(index);
        QAccessibleInterface* face = accessible(combo);
        QCOMPARE(face->role(), QAccessible::ComboBox);
        QCOMPARE(face->text(QAccessible::Value), item);
        QAccessibleTextInterface* text = face->textInterface();
        QVERIFY(text);
        QCOMPARE(text->characterCount(), int(item.size()));
        QCOMPARE(text->text(0, text->characterCount()), item);
        QVERIFY(face->state().expandable && face->state().collapsed);
        QCOMPARE(face->childCount(), 1);
        QCOMPARE(face->child(0)->childCount(), combo->count());
    }

    // A list one can type into keeps the toolkit's interface, with its edit field as a child.
    void editableListKeepsItsEditField()
    {
        QComboBox list;
        list.setEditable(true);
        list.addItems({QStringLiteral("Dýka"), QStringLiteral("Tesák")});
        QAccessibleInterface* face = accessible(&list);
        QCOMPARE(face->childCount(), 2);
        QCOMPARE(face->child(1)->object(), list.lineEdit());
    }

    // A focused list that is emptied (as the save dialog's lists are when it fills them) has no
    // item for the reader's focus and asks the toolkit for none.
    void emptiedListMovesNoFocus()
    {
        QWidget window;
        auto* list = new QComboBox(&window);
        list->addItems({QStringLiteral("HTML Dokument (*.htm)")});
        showActive(&window);
        list->setFocus();
        QTRY_VERIFY(list->hasFocus());
        QVERIFY(accessible(list));
        takeTold(QAccessible::Focus);
        QTest::failOnWarning(QRegularExpression(QStringLiteral("Invalid index")));
        list->setCurrentIndex(-1);
        QVERIFY(takeTold(QAccessible::Focus).isEmpty());
    }

    void keyboardChangeMovesTheReadersFocus_data()
    {
        QTest::addColumn<QString>("list");
        QTest::addColumn<int>("start");
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("item");
        QTest::newRow("Down") << "ComboBox1" << 0 << int(Qt::Key_Down) << "Kudůk";
        QTest::newRow("Up") << "ComboBox1" << 3 << int(Qt::Key_Up) << "Trpaslík";
        QTest::newRow("End") << "ComboBox2" << 0 << int(Qt::Key_End) << "Zloděj";
        QTest::newRow("Home") << "ComboBox4" << 5 << int(Qt::Key_Home) << "žádná";
        QTest::newRow("permitted weapon")
            << "ComboBox3" << 0 << int(Qt::Key_Down) << "Dýka  2/0/-2";
        // A Hobit may not use the long bow: the list falls back, and that is what is read last.
        QTest::newRow("refused weapon") << "ComboBox5" << 1 << int(Qt::Key_Down) << "žádná";
    }

    // A new item on a closed, focused list takes the screen reader's focus, so it is read out.
    void keyboardChangeMovesTheReadersFocus()
    {
        QFETCH(QString, list);
        QFETCH(int, start);
        QFETCH(int, key);
        QFETCH(QString, item);
        TForm3& form = characterWindow();
        showActive(&form);
        auto* combo = form.findChild<QComboBox*>(list);
        combo->setCurrentIndex(start);
        combo->setFocus();
        QAccessibleInterface* face = accessible(combo);
        takeTold(QAccessible::Focus);

        press(Qt::Key(key));
        const QList<ToldEvent> focus = takeTold(QAccessible::Focus);
        QVERIFY(!focus.isEmpty());
        QCOMPARE(focus.last().name, item);
        QCOMPARE(focus.last().role, QAccessible::ListItem);
        QCOMPARE(face->child(0)->child(combo->currentIndex())->text(QAccessible::Name), item);
        form.hide();
    }

    // After a choice in the popup the reader's focus is on the list again, which tells the item.
    void closingThePopupReturnsTheReadersFocusToTheList()
    {
        TForm3& form = characterWindow();
        showActive(&form);
        form.ComboBox3->setFocus();
        QAccessibleInterface* face = accessible(form.ComboBox3);
        form.ComboBox3->showPopup();
        QAbstractItemView* popup = form.ComboBox3->view();
        QTRY_VERIFY(popup->isVisible());
        popup->setCurrentIndex(popup->model()->index(3, 0));
        takeTold(QAccessible::Focus);
        QTest::keyClick(popup, Qt::Key_Return);
        QTRY_VERIFY(!toldEvents.isEmpty() && toldEvents.last().object == form.ComboBox3);
        QCOMPARE(takeTold(QAccessible::Focus).last().object, form.ComboBox3);
        QCOMPARE(face->text(QAccessible::Value), QStringLiteral("Krátký meč  4/-1/-1"));
        form.hide();
    }

    void generatingAnnouncesTheNewCharacter_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("race");
        QTest::addColumn<int>("generations");
        QTest::addColumn<QString>("message");
        QTest::newRow("Pepík") << "Pepík" << 0 << 1
                               << "V osobním deníku je nová postava: Pepík, Hobit Válečník.";
        QTest::newRow("no name") << "" << 6 << 1
                                 << "V osobním deníku je nová postava: Kroll Válečník.";
        QTest::newRow("twice the same") << "Pepík" << 0 << 2
                                        << "V osobním deníku je nová postava: Pepík, Hobit "
                                           "Válečník.";
    }

    // The focus stays on "&Generuj!"; a notification tells that a new character is on the sheet.
    void generatingAnnouncesTheNewCharacter()
    {
        QFETCH(QString, name);
        QFETCH(int, race);
        QFETCH(int, generations);
        QFETCH(QString, message);
        TForm3& form = characterWindow();
        form.Edit1->setText(name);
        form.ComboBox1->setCurrentIndex(race);
        takeTold(QAccessible::ObjectShow);
        for (int i = 0; i < generations; ++i)
            QTest::mouseClick(form.Button1, Qt::LeftButton);
        QStringList notices;
        for (const ToldEvent& told : takeTold(QAccessible::ObjectShow))
            if (told.role == QAccessible::Notification)
                notices << told.name;
        QCOMPARE(notices, QStringList(generations, message));
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
        row("TForm3", "Label5", "Label7");
        row("TForm3", "Label9", "Label11");
        row("TForm3", "Label4", "Label21");
        row("TForm3", "Label25", "Label29");
        row("TForm3", "Label62", "Label63");
        row("TForm3", "Label35", "Label36");
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
        QTest::addColumn<QString>("caption");
        QTest::newRow("name") << "Label7"
                              << "Pepík"
                              << "Jméno:";
        QTest::newRow("race and profession") << "Label10"
                                             << "Člověk Válečník"
                                             << "Rasa a povolání:";
        QTest::newRow("strength") << "Label11"
                                  << "15 / +2"
                                  << "Síla:";
        QTest::newRow("charisma") << "Label19"
                                  << "8 / -1"
                                  << "Charisma:";
        QTest::newRow("objects") << "Label29"
                                 << "12"
                                 << "Postřeh obj.:";
        QTest::newRow("defence") << "Label63"
                                 << "1"
                                 << "Obranné číslo:";
        QTest::newRow("money") << "Label36"
                               << "150 zl"
                               << "Peníze:";
        QTest::newRow("melee weapon") << "Label44"
                                      << "Zbraň pro boj tváří v tvář -žádná-"
                                      << "";
    }

    // A Člověk Válečník "Pepík" with 150 gold from the seed 3723004, as on the exported sheet.
    // A field is read once with its caption, as the eye reads the two side by side.
    void sheetFieldsNameTheirValues()
    {
        QFETCH(QString, field);
        QFETCH(QString, name);
        QFETCH(QString, caption);
        TForm3& form = characterWindow();
        form.ComboBox1->setCurrentIndex(4);
        form.TrackBar1->setValue(150);
        QTest::mouseClick(form.Button1, Qt::LeftButton);
        QAccessibleInterface* face = accessible(form.findChild<QLabel*>(field));
        QCOMPARE(face->text(QAccessible::Name), name);
        QStringList captions;
        const auto relations = face->relations(QAccessible::Label);
        for (const auto& relation : relations)
            captions << relation.first->text(QAccessible::Name);
        QCOMPARE(captions, caption.isEmpty() ? QStringList{} : QStringList{caption});
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

    // What a keyboard user reads of the window: the six lists, the two that the choices enable
    // and disable, and the sheet's name field.
    static QString choiceState(const TForm3& form)
    {
        QStringList parts;
        for (const QComboBox* list : {form.ComboBox1, form.ComboBox2, form.ComboBox3,
                                      form.ComboBox4, form.ComboBox5, form.ComboBox6})
            parts << QString::number(list->currentIndex());
        parts << (form.ComboBox4->isEnabled() ? "armour" : "no armour")
              << (form.CheckBox1->isEnabled() ? "shield" : "no shield");
        return parts.join(QLatin1Char(' '));
    }

    static QStringList sheetTexts(const TForm3& form)
    {
        QStringList texts;
        const QList<QLabel*> labels = form.findChildren<QLabel*>();
        for (const QLabel* label : labels)
            texts << label->objectName() + '=' + label->text();
        return texts;
    }

    void enterInAnOpenListOnlyChooses_data()
    {
        QTest::addColumn<bool>("generatedBefore");
        QTest::addColumn<QString>("list");
        QTest::addColumn<int>("item");
        QTest::addColumn<QString>("state");
        QTest::addColumn<QStringList>("sounds");
        // Before the choice the melee list holds "Dýka" and the shield is enabled.
        const QStringList confirmed{"Success.wav"};
        const QStringList refused{"Problem.wav"};
        for (const bool generated : {false, true}) {
            const char* when = generated ? "after a generation" : "before any generation";
            const auto row = [&](const char* list, int item, const char* state,
                                 const QStringList& sounds) {
                QTest::addRow("%s, %s", list, when) << generated << list << item << state << sounds;
            };
            row("ComboBox1", 3, "3 0 0 0 0 0 armour shield", {}); // Elf: the equipment is cleared
            row("ComboBox2", 3, "0 3 0 0 0 0 no armour no shield", {});       // Kouzelník
            row("ComboBox3", 13, "0 0 13 0 0 0 armour no shield", confirmed); // Hůl kovaná
            row("ComboBox4", 7, "0 0 1 7 0 0 armour shield", confirmed);      // Mitrilová
            row("ComboBox5", 4, "0 0 1 0 0 0 armour shield", refused); // Těžká kuše, not a Hobit's
            row("ComboBox6", 9, "0 0 1 0 0 9 armour shield", confirmed); // Dýka
        }
    }

    // Enter in a list's open popup takes the item the user moved to, runs that list's handler and
    // nothing else: no generation, no tip, no second sound.
    void enterInAnOpenListOnlyChooses()
    {
        QFETCH(bool, generatedBefore);
        QFETCH(QString, list);
        QFETCH(int, item);
        QFETCH(QString, state);
        QFETCH(QStringList, sounds);
        TForm3& form = characterWindow();
        form.setTipWindow(static_cast<TForm5*>(window(QStringLiteral("TForm5"))));
        showActive(&form);
        if (generatedBefore) {
            QTest::mouseClick(form.Button1, Qt::LeftButton);
            QCOMPARE(form.Label7->text(), QStringLiteral("Pepík"));
        }
        form.Edit1->setText(QStringLiteral("Jiný"));
        form.ComboBox3->setCurrentIndex(1);
        takePlayRequests();
        const QStringList sheetBefore = sheetTexts(form);
        const qint32 tipsBefore = form.tipOfTheDay().counter();

        auto* combo = form.findChild<QComboBox*>(list);
        combo->setFocus();
        combo->showPopup();
        QAbstractItemView* popup = combo->view();
        QTRY_VERIFY(popup->isVisible());
        popup->setCurrentIndex(popup->model()->index(item, 0));
        QTest::keyClick(popup, Qt::Key_Return);

        QTRY_VERIFY(!popup->isVisible());
        QCOMPARE(choiceState(form), state);
        QCOMPARE(takePlayRequests(), sounds);
        QCOMPARE(sheetTexts(form), sheetBefore);
        QCOMPARE(form.tipOfTheDay().counter(), tipsBefore);
        QVERIFY(form.Button1->isEnabled());
        form.hide();
    }

    void enterPressesTheButtonItMeans_data()
    {
        QTest::addColumn<QString>("focus");
        QTest::addColumn<bool>("generates");
        QTest::addColumn<bool>("tipShown");
        QTest::addColumn<int>("moneyMaximum");
        QTest::addColumn<bool>("windowShown");
        QTest::newRow("name field") << "Edit1" << true << false << 200 << true;
        QTest::newRow("closed list") << "ComboBox3" << true << false << 200 << true;
        QTest::newRow("slider") << "TrackBar1" << true << false << 200 << true;
        QTest::newRow("shield") << "CheckBox1" << true << false << 200 << true;
        QTest::newRow("generate") << "Button1" << true << false << 200 << true;
        QTest::newRow("tip of the day") << "BitBtn3" << false << true << 200 << true;
        QTest::newRow("more money") << "Button2" << false << false << 1000 << true;
        QTest::newRow("back to the menu") << "BitBtn5" << false << false << 200 << false;
    }

    // Enter presses the focused push button; anywhere else it presses "&Generuj!".
    void enterPressesTheButtonItMeans()
    {
        QFETCH(QString, focus);
        QFETCH(bool, generates);
        QFETCH(bool, tipShown);
        QFETCH(int, moneyMaximum);
        QFETCH(bool, windowShown);
        TForm3& form = characterWindow();
        auto* tip = static_cast<TForm5*>(window(QStringLiteral("TForm5")));
        tip->hide();
        form.setTipWindow(tip);
        showActive(&form);
        form.Edit1->setText(QStringLiteral("Žofie"));
        form.findChild<QWidget*>(focus)->setFocus();
        QCOMPARE(focusName(), focus);

        press(Qt::Key_Return);
        QCOMPARE(form.Label7->text(), generates ? QStringLiteral("Žofie") : QStringLiteral("N/A"));
        QCOMPARE(form.tipOfTheDay().counter(), generates ? 1 : 0);
        QCOMPARE(takePlayRequests(),
                 generates || tipShown ? QStringList{"Success.wav"} : QStringList{});
        QCOMPARE(tip->isVisible(), tipShown);
        QCOMPARE(form.TrackBar1->maximum(), moneyMaximum);
        QCOMPARE(form.isVisible(), windowShown);
        tip->hide();
        form.hide();
    }

    void enterInTheTipWindowPressesOk_data()
    {
        QTest::addColumn<QString>("focus");
        QTest::newRow("the tip") << "Memo2";
        QTest::newRow("OK") << "Button1";
    }

    // The tip window's read-only tip passes Enter on to its default button, as a dialog does.
    void enterInTheTipWindowPressesOk()
    {
        QFETCH(QString, focus);
        auto* tip = static_cast<TForm5*>(window(QStringLiteral("TForm5")));
        showActive(tip);
        tip->findChild<QWidget*>(focus)->setFocus();
        QCOMPARE(focusName(), focus);
        press(Qt::Key_Return);
        QVERIFY(tip->isHidden());
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
        QCOMPARE(takePlayRequests(), QStringList(6, QStringLiteral("Success.wav")));

        press(Qt::Key_Return);
        QCOMPARE(form.Label7->text(), QStringLiteral("Žofie"));
        QCOMPARE(form.Label10->text(), QStringLiteral("Elf Hraničář"));
        QCOMPARE(form.Label36->text(), QStringLiteral("3 zl"));
        QVERIFY(form.BitBtn2->isEnabled());
        QCOMPARE(takePlayRequests(), QStringList{"Success.wav"});

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
