// SPDX-License-Identifier: GPL-3.0-or-later
#include "rules/CombatNumbers.h"

#include <QTest>

#include <stdexcept>

namespace {

constexpr int Hobit = 0, Kuduk = 1, Trpaslik = 2, Elf = 3, Clovek = 4, Barbar = 5, Kroll = 6;
constexpr int Melee = 0, FirstRanged = 1, SecondRanged = 2;

} // namespace

class TestCombatNumbers : public QObject
{
    Q_OBJECT

private slots:
    void numbers_data();
    void numbers();
    void primaryRowOutsideTheThree();
};

void TestCombatNumbers::numbers_data()
{
    // race, melee, first ranged, second ranged, armour, shield, primary row, Síla and Obratnost
    // bonus
    QTest::addColumn<QList<int>>("in");
    // melee ÚČ, first ranged ÚČ, second ranged ÚČ, defence number
    QTest::addColumn<QList<int>>("out");

    QTest::newRow("nothing") << QList{Hobit, 0, 0, 0, 0, 0, Melee, 0, 0} << QList{1, 0, 0, 1};
    QTest::newRow("nothing, strong, nimble")
        << QList{Barbar, 0, 0, 0, 0, 0, Melee, 3, 4} << QList{3, 0, 0, 2}; // -3 + 4 + 1
    QTest::newRow("nothing, minimums")
        << QList{Clovek, 0, 0, 0, 0, 0, Melee, -5, -5} << QList{1, 0, 0, 1};
    // -5 or -2, + 5 + 8
    QTest::newRow("first primary, empty")
        << QList{Clovek, 0, 0, 1, 7, 0, FirstRanged, 0, 5} << QList{1, 0, 9, 8};
    QTest::newRow("first primary, bow")
        << QList{Clovek, 0, 1, 0, 7, 0, FirstRanged, 0, 5} << QList{1, 9, 0, 11};
    QTest::newRow("second primary, empty")
        << QList{Clovek, 0, 1, 0, 7, 0, SecondRanged, 0, 5} << QList{1, 9, 0, 8};
    QTest::newRow("second primary, sling")
        << QList{Clovek, 0, 0, 5, 7, 0, SecondRanged, 0, 5} << QList{1, 0, 9, 11};
    QTest::newRow("shield, ranged primary")
        << QList{Hobit, 5, 9, 0, 2, 1, FirstRanged, 0, 0} << QList{4, 2, 0, 2};
    // 5 + 2 + 1; defence -1 - 1 + 1 raised to 1
    QTest::newRow("Kroll Těžký kyj")
        << QList{Kroll, 24, 0, 0, 0, 0, Melee, 2, -1} << QList{8, 0, 0, 1};
    QTest::newRow("Elf Těžký kyj") << QList{Elf, 24, 0, 0, 0, 0, Melee, 2, 0} << QList{7, 0, 0, 1};
    QTest::newRow("Elf bows") << QList{Elf, 0, 2, 1, 0, 0, Melee, 0, 1} << QList{1, 7, 5, 1};
    QTest::newRow("Elf bows swapped")
        << QList{Elf, 0, 1, 2, 0, 0, Melee, 0, 1} << QList{1, 5, 7, 1};
    QTest::newRow("Kudůk Sekera") << QList{Kuduk, 7, 8, 0, 0, 0, Melee, 0, 0} << QList{4, 3, 0, 1};
    QTest::newRow("Hobit Lehká kuše twice")
        << QList{Hobit, 0, 3, 3, 0, 0, Melee, 0, 0} << QList{1, 5, 5, 1};
    QTest::newRow("Hobit Těžká kuše")
        << QList{Hobit, 0, 0, 4, 0, 0, Melee, 0, 0} << QList{1, 0, 7, 1};
    QTest::newRow("Člověk Široký meč")
        << QList{Clovek, 6, 0, 0, 0, 0, Melee, 1, 0} << QList{7, 0, 0, 1};
    QTest::newRow("Barbar Meč bastard")
        << QList{Barbar, 9, 0, 0, 0, 0, Melee, 0, 0} << QList{7, 0, 0, 2};
    QTest::newRow("Trpaslík Válečná sekera")
        << QList{Trpaslik, 16, 0, 0, 0, 0, Melee, 0, 0} << QList{5, 0, 0, 1};
    QTest::newRow("Kámen, -3") << QList{Hobit, 0, 11, 0, 0, 0, Melee, 0, -3} << QList{1, 1, 0, 1};
    // Šavle's OZ 1 + shield 1 + Obratnost 2 + Mitrilová 8
    QTest::newRow("Hobit Válečník defence 12")
        << QList{Hobit, 5, 0, 0, 7, 1, Melee, -1, 2} << QList{3, 0, 0, 12};
}

void TestCombatNumbers::numbers()
{
    QFETCH(QList<int>, in);
    QFETCH(QList<int>, out);

    Choices choices;
    choices.race = in[0];
    choices.melee = in[1];
    choices.ranged1 = in[2];
    choices.ranged2 = in[3];
    choices.armour = in[4];
    choices.shield = in[5] != 0;
    choices.primaryRow = in[6];
    const CombatNumbers combat = combatNumbers(choices, in[7], in[8]);
    QCOMPARE((QList{combat.melee.attackNumber, combat.ranged1.attackNumber,
                    combat.ranged2.attackNumber, combat.defenceNumber}),
             out);
}

void TestCombatNumbers::primaryRowOutsideTheThree()
{
    Choices choices;
    choices.primaryRow = 3;
    QVERIFY_THROWS_EXCEPTION(std::out_of_range, combatNumbers(choices, 0, 0));
}

QTEST_GUILESS_MAIN(TestCombatNumbers)

#include "test_combat_numbers.moc"
