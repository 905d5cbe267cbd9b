// SPDX-License-Identifier: GPL-3.0-or-later
#include "rules/CharacterGeneration.h"
#include "rules/RulesTables.h"

#include <QTest>

#include <array>
#include <stdexcept>

using namespace Qt::StringLiterals;

namespace {

// The game's attribute rules, written out here independently of the program's tables.
// Síla, Obratnost, Odolnost, Inteligence, Charisma.
struct Span
{
    int low, high;
};

const std::array<std::array<Span, 5>, 7> RaceRolls{{
    {{{3, 8}, {11, 16}, {8, 13}, {10, 15}, {8, 18}}},
    {{{5, 10}, {10, 15}, {10, 15}, {9, 14}, {7, 12}}},
    {{{7, 12}, {7, 12}, {12, 17}, {8, 13}, {7, 12}}},
    {{{6, 11}, {10, 15}, {6, 11}, {12, 17}, {8, 18}}},
    {{{6, 16}, {9, 14}, {9, 14}, {10, 15}, {2, 17}}},
    {{{10, 15}, {8, 13}, {11, 16}, {6, 11}, {1, 16}}},
    {{{11, 16}, {5, 10}, {13, 18}, {2, 7}, {1, 11}}},
}};

struct MainRolls
{
    int first;
    Span firstSpan;
    int second;
    Span secondSpan;
};

const std::array<MainRolls, 5> ProfessionRolls{{
    {0, {13, 18}, 2, {13, 18}},
    {0, {11, 16}, 3, {12, 17}},
    {1, {13, 18}, 2, {12, 17}},
    {3, {14, 19}, 4, {13, 18}},
    {1, {14, 19}, 4, {12, 17}},
}};

const std::array<std::array<int, 5>, 7> Corrections{{
    {-5, 2, 0, -2, 3},
    {-3, 1, 1, -2, 0},
    {1, -2, 3, -3, -2},
    {0, 1, -4, 2, 2},
    {0, 0, 0, 0, 0},
    {1, -1, 1, 0, -2},
    {3, -4, 3, -6, -5},
}};

Span expectedReach(int race, int profession, int attribute)
{
    const MainRolls& main = ProfessionRolls[profession];
    const int correction = Corrections[race][attribute];
    if (attribute == main.first)
        return {main.firstSpan.low + correction, main.firstSpan.high + correction};
    if (attribute == main.second)
        return {main.secondSpan.low + correction, main.secondSpan.high + correction};
    return RaceRolls[race][attribute];
}

// Attribute letters: S Síla, O Obratnost, D Odolnost, I Inteligence, C Charisma.
bool names(const QString& letters, int attribute)
{
    return letters.contains(u"SODIC"_s.at(attribute));
}

} // namespace

class TestRulesTables : public QObject
{
    Q_OBJECT

private slots:
    void attributeReach_data();
    void attributeReach();
    void attributeBonus_data();
    void attributeBonus();
    void magicPoints_data();
    void magicPoints();
    void weaponRows_data();
    void weaponRows();
    void armourValues();
    void listItems_data();
    void listItems();
    void positionOutsideTable();
};

void TestRulesTables::attributeReach_data()
{
    QTest::addColumn<int>("race");
    QTest::addColumn<int>("profession");
    QTest::addColumn<QString>("reachOne");       // attributes that can end at 1
    QTest::addColumn<QString>("reachTwentyOne"); // attributes that can end at 21

    const QStringList races = raceNames();
    const QStringList professions = professionNames();
    for (int race = 0; race < 7; ++race) {
        for (int profession = 0; profession < 5; ++profession) {
            QString one;
            QString twentyOne;
            if ((race == 5 || race == 6) && profession <= 2)
                one = QStringLiteral("C");
            if (race == 0 && profession == 3)
                twentyOne = QStringLiteral("C");
            if (race == 0 && profession == 4)
                twentyOne = QStringLiteral("O");
            if (race == 2 && profession == 0)
                twentyOne = QStringLiteral("D");
            if (race == 3 && profession == 3)
                twentyOne = QStringLiteral("I");
            if (race == 6 && profession == 0)
                twentyOne = QStringLiteral("SD");
            QTest::addRow("%s %s", qPrintable(races[race]), qPrintable(professions[profession]))
                << race << profession << one << twentyOne;
        }
    }
}

void TestRulesTables::attributeReach()
{
    QFETCH(int, race);
    QFETCH(int, profession);
    QFETCH(QString, reachOne);
    QFETCH(QString, reachTwentyOne);

    for (int attribute = 0; attribute < AttributeCount; ++attribute) {
        const Span expected = expectedReach(race, profession, attribute);
        QVERIFY(expected.low >= 1);
        QVERIFY(expected.high <= 21);
        QCOMPARE(expected.low == 1, names(reachOne, attribute));
        QCOMPARE(expected.high == 21, names(reachTwentyOne, attribute));
    }

    // The rolls stay inside the reach whatever the seed, and over enough seeds reach both ends.
    AttributeValues lowest;
    AttributeValues highest;
    lowest.fill(99);
    highest.fill(-99);
    for (quint32 seed = 0; seed < 5000; ++seed) {
        Random random(seed * 2654435761u);
        const AttributeValues values = rollAttributes(race, profession, random);
        for (int attribute = 0; attribute < AttributeCount; ++attribute) {
            const Span expected = expectedReach(race, profession, attribute);
            QVERIFY2(values[attribute] >= expected.low && values[attribute] <= expected.high,
                     qPrintable(QStringLiteral("seed %1 attribute %2").arg(seed).arg(attribute)));
            lowest[attribute] = qMin(lowest[attribute], values[attribute]);
            highest[attribute] = qMax(highest[attribute], values[attribute]);
        }
    }
    for (int attribute = 0; attribute < AttributeCount; ++attribute) {
        const Span expected = expectedReach(race, profession, attribute);
        QCOMPARE(lowest[attribute], expected.low);
        QCOMPARE(highest[attribute], expected.high);
    }
}

void TestRulesTables::attributeBonus_data()
{
    QTest::addColumn<int>("value");
    QTest::addColumn<int>("bonus");

    const QList<std::pair<int, int>> edges{{1, -5}, {2, -4}, {3, -4}, {4, -3}, {7, -2}, {8, -1},
                                           {9, -1}, {10, 0}, {12, 0}, {13, 1}, {14, 1}, {15, 2},
                                           {18, 3}, {19, 4}, {20, 4}, {21, 5}};
    for (const auto& [value, bonus] : edges)
        QTest::addRow("%d", value) << value << bonus;
}

void TestRulesTables::attributeBonus()
{
    QFETCH(int, value);
    QFETCH(int, bonus);
    QCOMPARE(::attributeBonus(value), bonus);
}

void TestRulesTables::magicPoints_data()
{
    QTest::addColumn<int>("profession");
    QTest::addColumn<int>("obratnost");
    QTest::addColumn<int>("inteligence");
    QTest::addColumn<int>("magic");

    QTest::newRow("Alchymista 12") << 2 << 12 << 10 << 8;
    QTest::newRow("Alchymista 16") << 2 << 16 << 10 << 8;
    QTest::newRow("Alchymista 17") << 2 << 17 << 10 << 9;
    QTest::newRow("Kouzelník 17") << 3 << 18 << 17 << 8;
    QTest::newRow("Kouzelník 18") << 3 << 10 << 18 << 9;
    QTest::newRow("Válečník") << 0 << 18 << 18 << 0;
    QTest::newRow("Zloděj") << 4 << 18 << 18 << 0;
}

void TestRulesTables::magicPoints()
{
    QFETCH(int, profession);
    QFETCH(int, obratnost);
    QFETCH(int, inteligence);
    QFETCH(int, magic);
    QCOMPARE(::magicPoints(profession, {10, obratnost, 10, inteligence, 10}), magic);
}

void TestRulesTables::weaponRows_data()
{
    // Sheet name, then strength (-1 for none), Útoč. and OZ or the three ranges.
    QTest::addColumn<QString>("sheetName");
    QTest::addColumn<QList<int>>("figures");
    QTest::addColumn<QString>("expectedName");
    QTest::addColumn<QList<int>>("expected");

    const auto melee = [](int position) {
        const MeleeWeapon& w = meleeWeapon(position);
        return QList{w.strength, w.attack, w.defence};
    };
    const auto ranged = [](int position) {
        const RangedWeapon& w = rangedWeapon(position);
        return QList{w.strength.value_or(-1), w.attack, w.rangeShort, w.rangeMedium, w.rangeLong};
    };
    QTest::newRow("melee 0") << meleeSheetName(0) << melee(0) << u"-žádná-           "_s
                             << QList{0, 0, -3};
    QTest::newRow("melee 9") << meleeSheetName(9) << melee(9) << u"Meč bastard       "_s
                             << QList{6, 0, 1};
    QTest::newRow("melee 13") << meleeSheetName(13) << melee(13) << u"Hůl kovaná        "_s
                              << QList{5, -1, 1};
    QTest::newRow("melee 22") << meleeSheetName(22) << melee(22) << u"Halapartna        "_s
                              << QList{4, 6, 2};
    QTest::newRow("melee 24") << meleeSheetName(24) << melee(24) << u"Těžký kyj         "_s
                              << QList{5, 4, -1};
    QTest::newRow("melee 27") << meleeSheetName(27) << melee(27) << u"Široký meč a tesák"_s
                              << QList{6, -2, 2};
    QTest::newRow("ranged 0") << rangedSheetName(0) << ranged(0) << u"-žádná-   "_s
                              << QList{-1, 0, 0, 0, 0};
    QTest::newRow("ranged 4") << rangedSheetName(4) << ranged(4) << u"Těžká kuše"_s
                              << QList{6, 2, 19, 35, 55};
    QTest::newRow("ranged 5") << rangedSheetName(5) << ranged(5) << u"Prak      "_s
                              << QList{4, -1, 9, 16, 25};
    QTest::newRow("ranged 13") << rangedSheetName(13) << ranged(13) << u"Láhev     "_s
                               << QList{0, 1, 4, 7, 10};
    QTest::newRow("ranged 14") << rangedSheetName(14) << ranged(14) << u"Pochodeň  "_s
                               << QList{0, 1, 4, 7, 10};
}

void TestRulesTables::weaponRows()
{
    QFETCH(QString, sheetName);
    QFETCH(QList<int>, figures);
    QFETCH(QString, expectedName);
    QFETCH(QList<int>, expected);
    QCOMPARE(sheetName, expectedName);
    QCOMPARE(figures, expected);
}

void TestRulesTables::armourValues()
{
    QList<int> values;
    for (int position = 0; position < ArmourCount; ++position)
        values.append(armourValue(position));
    QCOMPARE(values, (QList<int>{1, 2, 3, 4, 5, 6, 7, 8}));
}

void TestRulesTables::listItems_data()
{
    QTest::addColumn<QStringList>("items");
    QTest::addColumn<QString>("expected"); // the items joined by "|"

    QTest::newRow("races") << raceNames() << u"Hobit|Kudůk|Trpaslík|Elf|Člověk|Barbar|Kroll"_s;
    QTest::newRow("professions") << professionNames()
                                 << u"Válečník|Hraničář|Alchymista|Kouzelník|Zloděj"_s;
    QTest::newRow("melee") << meleeWeaponItems()
                           << u"žádná|Dýka  2/0/-2|Tesák  3/-1/-2|Krátký meč  4/-1/-1|"
                              u"Obušek  3/-2/-2|Šavle  4/+2/+1|Široký meč  5/0/0|Sekera  3/+1/-1|"
                              u"Kyj  3/+2/-1|Meč Bastard  6/0/+1|Dlouhý meč  7/-1/0|"
                              u"Válečné kladivo  5/+2/-1|Řemdih  4/+3/-2|Hůl kovaná  +/-1/+1|"
                              u"Vidle  4/0/+1|Kopí  5/0/+1|Válečná sekera  4/+3/-1|"
                              u"Sudlice  5/+1/+1|Píka  5/+2/+1|Tesák a dýka 4/0/+2|"
                              u"Krátký meč a dýka  5/0/+3|Cep  5/+4/-1|Halapartna  4/+6/+2|"
                              u"Obouruční meč  7/+1/-1|Těžký kyj  5/+1/-1|Trojzubec  6/+2/+2|"
                              u"Dvě šavle  8/-2/+3|Široký meč a tesák  6/-2/+2"_s;
    QTest::newRow("ranged") << rangedWeaponItems()
                            << u"žádná|Krátký luk  4/0  10-20-30|Dlouhý luk  5/+1  15-30-50|"
                               u"Lehká kuše  4/+1  15-27-40|Těžká kuše  6/+2  19-35-55|"
                               u"Prak  4/-1  9-16-25|Kopí  5/0  5-12-20|Oštěp  5/+1  6-14-23|"
                               u"Sekera  3/+1  4-8-12|Dýka  2/0  5-9-12|Hvězdice  1/+1  3-7-11|"
                               u"Kámen  0/+1  7-11-15|Flakónek  0/0  5-9-13|Lahev  0/+1  4-7-10|"
                               u"Pochodeň  0/+1  4-7-10"_s;
    QTest::newRow("armour") << armourItems()
                            << u"žádná|Vycpávaná (2)|Kožená (3)|Šupinová (4)|Kroužková (5)|"
                               u"Plátová (6)|Rytířská (7)|Mitrilová (8)"_s;
}

void TestRulesTables::listItems()
{
    QFETCH(QStringList, items);
    QFETCH(QString, expected);
    QCOMPARE(items, expected.split(u'|'));
}

void TestRulesTables::positionOutsideTable()
{
    QVERIFY_THROWS_EXCEPTION(std::out_of_range, meleeWeapon(MeleeWeaponCount));
    QVERIFY_THROWS_EXCEPTION(std::out_of_range, rangedWeapon(-1));
    QVERIFY_THROWS_EXCEPTION(std::out_of_range, armourValue(ArmourCount));
    QVERIFY_THROWS_EXCEPTION(std::out_of_range, raceTraits(-1));
    QVERIFY_THROWS_EXCEPTION(std::out_of_range, professionRules(ProfessionCount));
}

QTEST_GUILESS_MAIN(TestRulesTables)

#include "test_rules_tables.moc"
