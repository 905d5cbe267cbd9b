#include "CombatNumbers.h"

#include <QTest>

#include <stdexcept>

using namespace Qt::StringLiterals;

namespace {

// Race indexes and primary rows used below.
constexpr int Hobit = 0, Kuduk = 1, Trpaslik = 2, Elf = 3, Clovek = 4, Barbar = 5, Kroll = 6;
constexpr int Melee = 0, FirstRanged = 1, SecondRanged = 2;

} // namespace

class TestCombatNumbers : public QObject
{
    Q_OBJECT

private slots:
    void numbers_data();
    void numbers();
    void fieldTextsWithNothingChosen();
    void fieldTextsOfFullRows();
    void primaryRowOutsideTheThree();
};

void TestCombatNumbers::numbers_data()
{
    QTest::addColumn<int>("race");
    QTest::addColumn<int>("melee");
    QTest::addColumn<int>("ranged1");
    QTest::addColumn<int>("ranged2");
    QTest::addColumn<int>("armour");
    QTest::addColumn<bool>("shield");
    QTest::addColumn<int>("primary");
    QTest::addColumn<int>("silaBonus");
    QTest::addColumn<int>("obratnostBonus");
    // melee ÚČ, first ranged ÚČ, second ranged ÚČ, defence number
    QTest::addColumn<QList<int>>("expected");

    QTest::newRow("nothing, bonuses 0") << Hobit << 0 << 0 << 0 << 0 << false << Melee << 0 << 0
                                        << QList<int>{1, 0, 0, 1};
    // -3 + 4 + 1
    QTest::newRow("nothing, strong and nimble") << Barbar << 0 << 0 << 0 << 0 << false << Melee
                                                << 3 << 4 << QList<int>{3, 0, 0, 2};
    QTest::newRow("nothing, clumsy: minimums") << Clovek << 0 << 0 << 0 << 0 << false << Melee
                                               << -5 << -5 << QList<int>{1, 0, 0, 1};
    // -5 + 5 + 8
    QTest::newRow("first ranged primary, empty") << Clovek << 0 << 0 << 1 << 7 << false
                                                 << FirstRanged << 0 << 5 << QList<int>{1, 0, 9, 8};
    // -2 + 5 + 8
    QTest::newRow("first ranged primary, bow") << Clovek << 0 << 1 << 0 << 7 << false << FirstRanged
                                               << 0 << 5 << QList<int>{1, 9, 0, 11};
    QTest::newRow("second ranged primary, empty") << Clovek << 0 << 1 << 0 << 7 << false
                                                  << SecondRanged << 0 << 5
                                                  << QList<int>{1, 9, 0, 8};
    QTest::newRow("second ranged primary, sling") << Clovek << 0 << 0 << 5 << 7 << false
                                                  << SecondRanged << 0 << 5
                                                  << QList<int>{1, 0, 9, 11};
    // 5 + 2 + 1; defence -1 - 1 + 1 raised to 1
    QTest::newRow("Kroll Těžký kyj") << Kroll << 24 << 0 << 0 << 0 << false << Melee << 2 << -1
                                     << QList<int>{8, 0, 0, 1};
    QTest::newRow("Elf Těžký kyj, no bonus") << Elf << 24 << 0 << 0 << 0 << false << Melee << 2
                                             << 0 << QList<int>{7, 0, 0, 1};
    QTest::newRow("Elf bows") << Elf << 0 << 2 << 1 << 0 << false << Melee << 0 << 1
                              << QList<int>{1, 7, 5, 1};
    QTest::newRow("Elf bows swapped") << Elf << 0 << 1 << 2 << 0 << false << Melee << 0 << 1
                                      << QList<int>{1, 5, 7, 1};
    QTest::newRow("Kudůk Sekera both kinds") << Kuduk << 7 << 8 << 0 << 0 << false << Melee << 0
                                             << 0 << QList<int>{4, 3, 0, 1};
    QTest::newRow("Hobit Lehká kuše twice") << Hobit << 0 << 3 << 3 << 0 << false << Melee << 0
                                            << 0 << QList<int>{1, 5, 5, 1};
    QTest::newRow("Hobit Těžká kuše") << Hobit << 0 << 0 << 4 << 0 << false << Melee << 0 << 0
                                      << QList<int>{1, 0, 7, 1};
    QTest::newRow("Člověk Široký meč") << Clovek << 6 << 0 << 0 << 0 << false << Melee << 1 << 0
                                       << QList<int>{7, 0, 0, 1};
    QTest::newRow("Barbar Meč bastard") << Barbar << 9 << 0 << 0 << 0 << false << Melee << 0 << 0
                                        << QList<int>{7, 0, 0, 2};
    QTest::newRow("Trpaslík Válečná sekera") << Trpaslik << 16 << 0 << 0 << 0 << false << Melee
                                             << 0 << 0 << QList<int>{5, 0, 0, 1};
    QTest::newRow("Kámen with -3") << Hobit << 0 << 11 << 0 << 0 << false << Melee << 0 << -3
                                   << QList<int>{1, 1, 0, 1};
    // 1 (Šavle's OZ) + 1 (shield) + 2 + 8
    QTest::newRow("Hobit Válečník defence 12") << Hobit << 5 << 0 << 0 << 7 << true << Melee << -1
                                               << 2 << QList<int>{3, 0, 0, 12};
    QTest::newRow("shield with ranged primary") << Hobit << 5 << 9 << 0 << 2 << true << FirstRanged
                                                << 0 << 0 << QList<int>{4, 2, 0, 2};
}

void TestCombatNumbers::numbers()
{
    QFETCH(int, race);
    QFETCH(int, melee);
    QFETCH(int, ranged1);
    QFETCH(int, ranged2);
    QFETCH(int, armour);
    QFETCH(bool, shield);
    QFETCH(int, primary);
    QFETCH(int, silaBonus);
    QFETCH(int, obratnostBonus);
    QFETCH(QList<int>, expected);

    Choices choices;
    choices.race = race;
    choices.profession = 0; // the race bonuses do not depend on the profession
    choices.melee = melee;
    choices.ranged1 = ranged1;
    choices.ranged2 = ranged2;
    choices.armour = armour;
    choices.shield = shield;
    choices.primaryRow = primary;
    const CombatNumbers combat = combatNumbers(choices, silaBonus, obratnostBonus);
    QCOMPARE((QList<int>{combat.melee.attackNumber, combat.ranged1.attackNumber,
                         combat.ranged2.attackNumber, combat.defenceNumber}),
             expected);
}

namespace {

QStringList texts(const std::vector<CombatFieldText>& fields, QStringList* labels = nullptr)
{
    QStringList result;
    for (const CombatFieldText& field : fields) {
        result.append(field.text);
        if (labels)
            labels->append(QString::fromLatin1(field.label));
    }
    return result;
}

} // namespace

void TestCombatNumbers::fieldTextsWithNothingChosen()
{
    QStringList labels;
    const QStringList fields = texts(combatFieldTexts(combatNumbers(Choices{}, 2, 0)), &labels);
    QCOMPARE(labels, (QStringList{u"Label44"_s, u"Label50"_s, u"Label56"_s, u"Label45"_s,
                                  u"Label51"_s, u"Label57"_s, u"Label46"_s, u"Label52"_s,
                                  u"Label58"_s, u"Label47"_s, u"Label63"_s, u"Label53"_s,
                                  u"Label54"_s, u"Label55"_s, u"Label59"_s, u"Label60"_s,
                                  u"Label61"_s}));
    QCOMPARE(fields, (QStringList{u"-žádná-           "_s, u"-žádná-   "_s, u"-žádná-   "_s,
                                  u"2"_s, u"0"_s, u"0"_s, u"0"_s, u"0"_s, u"0"_s, u"-3"_s, u"1"_s,
                                  u"0"_s, u"0"_s, u"0"_s, u"0"_s, u"0"_s, u"0"_s}));
}

void TestCombatNumbers::fieldTextsOfFullRows()
{
    Choices choices;
    choices.race = Kroll;
    choices.melee = 24;   // Těžký kyj
    choices.ranged1 = 13; // Láhev
    choices.ranged2 = 5;  // Prak
    choices.armour = 3;
    const QStringList fields = texts(combatFieldTexts(combatNumbers(choices, 3, -2)));
    // ÚČ 5 + 3 + 1, 0 - 2 raised to 1, 4 - 2; defence -1 - 2 + 4
    QCOMPARE(fields, (QStringList{u"Těžký kyj         "_s, u"Láhev     "_s, u"Prak      "_s,
                                  u"9"_s, u"1"_s, u"2"_s, u"4"_s, u"1"_s, u"-1"_s, u"-1"_s,
                                  u"1"_s, u"4"_s, u"7"_s, u"10"_s, u"9"_s, u"16"_s, u"25"_s}));
}

void TestCombatNumbers::primaryRowOutsideTheThree()
{
    Choices choices;
    choices.primaryRow = 3;
    QVERIFY_THROWS_EXCEPTION(std::out_of_range, combatNumbers(choices, 0, 0));
}

QTEST_GUILESS_MAIN(TestCombatNumbers)

#include "TestCombatNumbers.moc"
