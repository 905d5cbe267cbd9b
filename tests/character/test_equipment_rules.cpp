// SPDX-License-Identifier: GPL-3.0-or-later
#include "WindowFixtures.h"
#include "Workspace.h"
#include "character/TForm3.h"
#include "platform/MessageBox.h"
#include "platform/SoundPlayer.h"

#include <QTest>

#include <memory>

namespace {

const QString kRefusal = QStringLiteral("Problem.wav");
const QString kConfirmation = QStringLiteral("Success.wav");

const char* const kProfessions[] = {"Válečník", "Hraničář", "Alchymista", "Kouzelník", "Zloděj"};
const char* const kRaces[] = {"Hobit", "Kudůk", "Trpaslík", "Elf", "Člověk", "Barbar", "Kroll"};

// The permitted choices, copied from the game's tables: one letter per profession in the order
// Válečník, Hraničář, Alchymista, Kouzelník, Zloděj (and per race Hobit .. Kroll); y permits.
struct MeleeRow
{
    const char* hands; // "none", "one", "both"
    const char* professions;
};
// clang-format off
const MeleeRow kMelee[28] = {
    {"none", "yyyyy"}, // 0
    {"one",  "yyyyy"}, // 1
    {"one",  "yyyyy"}, // 2
    {"one",  "yyyyy"}, // 3
    {"one",  "yyyyy"}, // 4
    {"one",  "yynny"}, // 5
    {"one",  "yynny"}, // 6
    {"one",  "yynny"}, // 7
    {"one",  "yynny"}, // 8
    {"one",  "ynnnn"}, // 9
    {"one",  "ynnnn"}, // 10
    {"one",  "ynnnn"}, // 11
    {"one",  "ynnnn"}, // 12
    {"both", "yyyyy"}, // 13
    {"both", "yynny"}, // 14
    {"both", "yynny"}, // 15
    {"both", "yynny"}, // 16
    {"both", "yynny"}, // 17
    {"both", "yynny"}, // 18
    {"both", "yynny"}, // 19
    {"both", "yynny"}, // 20
    {"both", "ynnnn"}, // 21
    {"both", "ynnnn"}, // 22
    {"both", "ynnnn"}, // 23
    {"both", "ynnnn"}, // 24
    {"both", "ynnnn"}, // 25
    {"both", "ynnnn"}, // 26
    {"both", "ynnnn"}, // 27
};
// clang-format on

const char* const kArmour[8] = {"yyyyy", "yyyny", "yyyny", "yyyny",
                                "yyynn", "yynnn", "ynnnn", "ynnnn"};

struct RangedRow
{
    const char* races;
    const char* professions;
};
// clang-format off
const RangedRow kRanged[15] = {
    {"yyyyyyy", "yyyyy"}, // 0
    {"yyyyyyy", "yyyny"}, // 1
    {"nnnyyyy", "yyyny"}, // 2
    {"yyyyyyy", "yyyny"}, // 3
    {"nnnyyyy", "ynnnn"}, // 4
    {"yyyyyyy", "yyyny"}, // 5
    {"yyyyyyy", "yyyyy"}, // 6
    {"yyyyyyy", "yyyyy"}, // 7
    {"yyyyyyy", "yyyyy"}, // 8
    {"yyyyyyy", "yyyyy"}, // 9
    {"yyyyyyy", "yyyyy"}, // 10
    {"yyyyyyy", "yyyyy"}, // 11
    {"yyyyyyy", "yyyyy"}, // 12
    {"yyyyyyy", "yyyyy"}, // 13
    {"yyyyyyy", "yyyyy"}, // 14
};
// clang-format on

} // namespace

class TestEquipmentRules : public QObject
{
    Q_OBJECT
    std::unique_ptr<Workspace> m_workspace;
    std::unique_ptr<TForm3> m_form;

    TForm3& form() { return *m_form; }

    // Race and profession set as the program sets them: no handler runs.
    void setRaceAndProfession(int race, int profession)
    {
        form().ComboBox1->setCurrentIndex(race);
        form().ComboBox2->setCurrentIndex(profession);
    }

    void expectSound(const QString& sound) { QCOMPARE(takePlayRequests(), QStringList{sound}); }

private slots:
    void initTestCase()
    {
        MessageBox::setRecording(true);
        recordPlayRequests();
        m_workspace = std::make_unique<Workspace>();
    }

    void init()
    {
        m_form = std::make_unique<TForm3>();
        form().FormCreate();
        takePlayRequests();
    }

    void cleanup()
    {
        m_form.reset();
        QCOMPARE(MessageBox::takeShown().size(), 0);
    }

    void meleeChoice_data()
    {
        QTest::addColumn<int>("profession");
        QTest::addColumn<int>("position");
        QTest::addColumn<bool>("permitted");
        QTest::addColumn<bool>("bothHands");
        for (int position = 0; position < 28; ++position) {
            for (int profession = 0; profession < 5; ++profession) {
                QTest::addRow("%s %d", kProfessions[profession], position)
                    << profession << position << (kMelee[position].professions[profession] == 'y')
                    << (qstrcmp(kMelee[position].hands, "both") == 0);
            }
        }
    }

    void meleeChoice()
    {
        QFETCH(int, profession);
        QFETCH(int, position);
        QFETCH(bool, permitted);
        QFETCH(bool, bothHands);
        setRaceAndProfession(6, profession);
        form().CheckBox1->setChecked(true);
        chooseByUser(form().ComboBox3, position);

        expectSound(permitted ? kConfirmation : kRefusal);
        QCOMPARE(form().ComboBox3->currentIndex(), permitted ? position : 0);
        // The hands decide the shield, also when the weapon itself is refused.
        QCOMPARE(form().CheckBox1->isEnabled(), !bothHands);
        QCOMPARE(form().CheckBox1->isChecked(), !bothHands);
    }

    void armourChoice_data()
    {
        QTest::addColumn<int>("profession");
        QTest::addColumn<int>("position");
        QTest::addColumn<bool>("permitted");
        for (int position = 0; position < 8; ++position) {
            for (int profession = 0; profession < 5; ++profession) {
                QTest::addRow("%s %d", kProfessions[profession], position)
                    << profession << position << (kArmour[position][profession] == 'y');
            }
        }
    }

    void armourChoice()
    {
        QFETCH(int, profession);
        QFETCH(int, position);
        QFETCH(bool, permitted);
        setRaceAndProfession(0, profession);
        chooseByUser(form().ComboBox4, position);
        expectSound(permitted ? kConfirmation : kRefusal);
        QCOMPARE(form().ComboBox4->currentIndex(), permitted ? position : 0);
    }

    void rangedChoice_data()
    {
        QTest::addColumn<int>("race");
        QTest::addColumn<int>("profession");
        QTest::addColumn<int>("position");
        QTest::addColumn<bool>("permitted");
        for (int position = 0; position < 15; ++position) {
            for (int race = 0; race < 7; ++race) {
                for (int profession = 0; profession < 5; ++profession) {
                    QTest::addRow("%s %s %d", kRaces[race], kProfessions[profession], position)
                        << race << profession << position
                        << (kRanged[position].races[race] == 'y' &&
                            kRanged[position].professions[profession] == 'y');
                }
            }
        }
    }

    // Each ranged list follows the rule on its own and leaves the other list alone.
    void rangedChoice()
    {
        QFETCH(int, race);
        QFETCH(int, profession);
        QFETCH(int, position);
        QFETCH(bool, permitted);
        setRaceAndProfession(race, profession);
        form().ComboBox6->setCurrentIndex(9);
        chooseByUser(form().ComboBox5, position);
        expectSound(permitted ? kConfirmation : kRefusal);
        QCOMPARE(form().ComboBox5->currentIndex(), permitted ? position : 0);
        QCOMPARE(form().ComboBox6->currentIndex(), 9);

        form().ComboBox5->setCurrentIndex(9);
        chooseByUser(form().ComboBox6, position);
        expectSound(permitted ? kConfirmation : kRefusal);
        QCOMPARE(form().ComboBox6->currentIndex(), permitted ? position : 0);
        QCOMPARE(form().ComboBox5->currentIndex(), 9);
    }

    void professionChange_data()
    {
        QTest::addColumn<int>("profession");
        QTest::addColumn<bool>("armourEnabled");
        QTest::addColumn<bool>("shieldEnabled");
        QTest::addRow("Válečník") << 0 << true << true;
        QTest::addRow("Hraničář") << 1 << true << true;
        QTest::addRow("Alchymista") << 2 << true << false;
        QTest::addRow("Kouzelník") << 3 << false << false;
        QTest::addRow("Zloděj") << 4 << true << false;
    }

    // A new profession clears the equipment silently and sets what it may use.
    void professionChange()
    {
        QFETCH(int, profession);
        QFETCH(bool, armourEnabled);
        QFETCH(bool, shieldEnabled);
        for (int startProfession : {0, 3}) {
            form().ComboBox2->setCurrentIndex(startProfession);
            form().ComboBox4->setEnabled(startProfession != 3);
            form().CheckBox1->setEnabled(true);
            form().CheckBox1->setChecked(true);
            for (QComboBox* list :
                 {form().ComboBox3, form().ComboBox4, form().ComboBox5, form().ComboBox6})
                list->setCurrentIndex(1);
            chooseByUser(form().ComboBox2, profession);
            QCOMPARE(takePlayRequests(), QStringList());
            for (QComboBox* list :
                 {form().ComboBox3, form().ComboBox4, form().ComboBox5, form().ComboBox6})
                QCOMPARE(list->currentIndex(), 0);
            QCOMPARE(form().ComboBox4->isEnabled(), armourEnabled);
            QCOMPARE(form().CheckBox1->isEnabled(), shieldEnabled);
            QCOMPARE(form().CheckBox1->isChecked(), shieldEnabled);
        }
    }

    void raceChangeClearsEquipmentOnly()
    {
        chooseByUser(form().ComboBox2, 3); // Kouzelník: no armour, no shield
        form().ComboBox3->setCurrentIndex(13);
        form().ComboBox5->setCurrentIndex(7);
        form().ComboBox6->setCurrentIndex(8);
        chooseByUser(form().ComboBox1, 4);
        QCOMPARE(takePlayRequests(), QStringList());
        for (QComboBox* list :
             {form().ComboBox3, form().ComboBox4, form().ComboBox5, form().ComboBox6})
            QCOMPARE(list->currentIndex(), 0);
        QVERIFY(!form().ComboBox4->isEnabled());
        QVERIFY(!form().CheckBox1->isEnabled());
        chooseByUser(form().ComboBox2, 1);
        QVERIFY(form().ComboBox4->isEnabled());
        QVERIFY(form().CheckBox1->isEnabled());
    }

    // The shield comes back with a one-handed weapon, unticked, whatever took it away.
    void shieldSequences()
    {
        chooseByUser(form().ComboBox2, 4); // Zloděj
        QVERIFY(!form().CheckBox1->isEnabled());
        chooseByUser(form().ComboBox3, 1); // Dýka
        expectSound(kConfirmation);
        QVERIFY(form().CheckBox1->isEnabled());
        QVERIFY(!form().CheckBox1->isChecked());

        chooseByUser(form().ComboBox2, 0); // Válečník
        form().CheckBox1->setChecked(true);
        chooseByUser(form().ComboBox3, 23); // Obouruční meč
        expectSound(kConfirmation);
        QVERIFY(!form().CheckBox1->isEnabled());
        QVERIFY(!form().CheckBox1->isChecked());
        chooseByUser(form().ComboBox1, 2);
        QCOMPARE(form().ComboBox3->currentIndex(), 0);
        QVERIFY(!form().CheckBox1->isEnabled());
        chooseByUser(form().ComboBox3, 5); // Šavle
        QVERIFY(form().CheckBox1->isEnabled());
        QVERIFY(!form().CheckBox1->isChecked());
        expectSound(kConfirmation);

        chooseByUser(form().ComboBox2, 1); // Hraničář refused a flail
        form().CheckBox1->setChecked(true);
        chooseByUser(form().ComboBox3, 21);
        expectSound(kRefusal);
        QCOMPARE(form().ComboBox3->currentText(), QStringLiteral("žádná"));
        QVERIFY(!form().CheckBox1->isEnabled());
        QVERIFY(!form().CheckBox1->isChecked());

        chooseByUser(form().ComboBox2, 3); // Kouzelník: staff yes, sabre no
        chooseByUser(form().ComboBox3, 5);
        expectSound(kRefusal);
        QCOMPARE(form().ComboBox3->currentIndex(), 0);
        chooseByUser(form().ComboBox3, 13);
        expectSound(kConfirmation);
        QCOMPARE(form().ComboBox3->currentText(), QStringLiteral("Hůl kovaná  +/-1/+1"));
        QVERIFY(!form().CheckBox1->isEnabled());
    }

    void primaryWeaponMarkerIsNotMoved()
    {
        form().RadioButton3->setChecked(true);
        chooseByUser(form().ComboBox6, 4); // refused for a Hobit
        chooseByUser(form().ComboBox2, 2);
        chooseByUser(form().ComboBox1, 5);
        QVERIFY(form().RadioButton3->isChecked());
        takePlayRequests();
    }
};

QTEST_MAIN(TestEquipmentRules)
#include "test_equipment_rules.moc"
