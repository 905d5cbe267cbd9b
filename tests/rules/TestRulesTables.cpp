#include "CharacterGeneration.h"
#include "RulesTables.h"

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
    void meleeRows_data();
    void meleeRows();
    void rangedRows_data();
    void rangedRows();
    void armourValues();
    void listItems();
    void positionOutsideTable();
};

void TestRulesTables::attributeReach_data()
{
    QTest::addColumn<int>("race");
    QTest::addColumn<int>("profession");
    QTest::addColumn<QString>("reachOne");        // attributes that can end at 1
    QTest::addColumn<QString>("reachTwentyOne");  // attributes that can end at 21

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

        const AttributeRange reach = ::attributeReach(race, profession, Attribute(attribute));
        QCOMPARE(reach.low, expected.low);
        QCOMPARE(reach.high, expected.high);
    }

    // The rolls themselves stay inside the reach, whatever the seed.
    for (quint32 seed = 0; seed < 300; ++seed) {
        Random random(seed * 2654435761u);
        const AttributeValues values = rollAttributes(race, profession, random);
        for (int attribute = 0; attribute < AttributeCount; ++attribute) {
            const Span expected = expectedReach(race, profession, attribute);
            QVERIFY2(values[attribute] >= expected.low && values[attribute] <= expected.high,
                     qPrintable(QStringLiteral("seed %1 attribute %2").arg(seed).arg(attribute)));
        }
    }
}

void TestRulesTables::attributeBonus_data()
{
    QTest::addColumn<int>("value");
    QTest::addColumn<int>("bonus");

    const QList<std::pair<int, int>> edges{{1, -5},  {2, -4},  {3, -4}, {4, -3}, {5, -3},
                                           {6, -2},  {7, -2},  {8, -1}, {9, -1}, {10, 0},
                                           {12, 0},  {13, 1},  {14, 1}, {15, 2}, {16, 2},
                                           {17, 3},  {18, 3},  {19, 4}, {20, 4}, {21, 5}};
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

    QTest::newRow("Alchymista 11") << 2 << 11 << 21 << 7;
    QTest::newRow("Alchymista 12") << 2 << 12 << 10 << 8;
    QTest::newRow("Alchymista 16") << 2 << 16 << 10 << 8;
    QTest::newRow("Alchymista 17") << 2 << 17 << 10 << 9;
    QTest::newRow("Kouzelník 8") << 3 << 21 << 8 << 7;
    QTest::newRow("Kouzelník 12") << 3 << 10 << 12 << 8;
    QTest::newRow("Kouzelník 17") << 3 << 18 << 17 << 8;
    QTest::newRow("Kouzelník 18") << 3 << 10 << 18 << 9;
    QTest::newRow("Válečník") << 0 << 18 << 18 << 0;
    QTest::newRow("Hraničář") << 1 << 18 << 18 << 0;
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

void TestRulesTables::meleeRows_data()
{
    QTest::addColumn<int>("position");
    QTest::addColumn<QString>("sheetName");
    QTest::addColumn<int>("strength");
    QTest::addColumn<int>("attack");
    QTest::addColumn<int>("defence");

    QTest::newRow("0") << 0 << QStringLiteral("-žádná-           ") << 0 << 0 << -3;
    QTest::newRow("5") << 5 << QStringLiteral("Šavle             ") << 4 << 2 << 1;
    QTest::newRow("9") << 9 << QStringLiteral("Meč bastard       ") << 6 << 0 << 1;
    QTest::newRow("13") << 13 << QStringLiteral("Hůl kovaná        ") << 5 << -1 << 1;
    QTest::newRow("20") << 20 << QStringLiteral("Krátký meč a dýka ") << 5 << 0 << 3;
    QTest::newRow("21") << 21 << QStringLiteral("Cep               ") << 5 << 4 << -1;
    QTest::newRow("22") << 22 << QStringLiteral("Halapartna        ") << 4 << 6 << 2;
    QTest::newRow("24") << 24 << QStringLiteral("Těžký kyj         ") << 5 << 4 << -1;
    QTest::newRow("26") << 26 << QStringLiteral("Dvě šavle         ") << 8 << -2 << 3;
    QTest::newRow("27") << 27 << QStringLiteral("Široký meč a tesák") << 6 << -2 << 2;
}

void TestRulesTables::meleeRows()
{
    QFETCH(int, position);
    QFETCH(QString, sheetName);
    QFETCH(int, strength);
    QFETCH(int, attack);
    QFETCH(int, defence);

    QCOMPARE(meleeSheetName(position), sheetName);
    QCOMPARE(meleeWeapon(position).strength, strength);
    QCOMPARE(meleeWeapon(position).attack, attack);
    QCOMPARE(meleeWeapon(position).defence, defence);
}

void TestRulesTables::rangedRows_data()
{
    QTest::addColumn<int>("position");
    QTest::addColumn<QString>("sheetName");
    QTest::addColumn<int>("strength"); // -1: no weapon
    QTest::addColumn<QList<int>>("figures");

    QTest::newRow("0") << 0 << QStringLiteral("-žádná-   ") << -1 << QList<int>{0, 0, 0, 0};
    QTest::newRow("1") << 1 << QStringLiteral("Krátký luk") << 4 << QList<int>{0, 10, 20, 30};
    QTest::newRow("4") << 4 << QStringLiteral("Těžká kuše") << 6 << QList<int>{2, 19, 35, 55};
    QTest::newRow("5") << 5 << QStringLiteral("Prak      ") << 4 << QList<int>{-1, 9, 16, 25};
    QTest::newRow("11") << 11 << QStringLiteral("Kámen     ") << 0 << QList<int>{1, 7, 11, 15};
    QTest::newRow("13") << 13 << QStringLiteral("Láhev     ") << 0 << QList<int>{1, 4, 7, 10};
    QTest::newRow("14") << 14 << QStringLiteral("Pochodeň  ") << 0 << QList<int>{1, 4, 7, 10};
}

void TestRulesTables::rangedRows()
{
    QFETCH(int, position);
    QFETCH(QString, sheetName);
    QFETCH(int, strength);
    QFETCH(QList<int>, figures);

    const RangedWeapon& weapon = rangedWeapon(position);
    QCOMPARE(rangedSheetName(position), sheetName);
    QCOMPARE(weapon.strength.value_or(-1), strength);
    QCOMPARE((QList<int>{weapon.attack, weapon.rangeShort, weapon.rangeMedium, weapon.rangeLong}),
             figures);
}

void TestRulesTables::armourValues()
{
    QList<int> values;
    for (int position = 0; position < ArmourCount; ++position)
        values.append(armourValue(position));
    QCOMPARE(values, (QList<int>{1, 2, 3, 4, 5, 6, 7, 8}));
}

void TestRulesTables::listItems()
{
    QCOMPARE(raceNames(), (QStringList{u"Hobit"_s, u"Kudůk"_s, u"Trpaslík"_s, u"Elf"_s,
                                       u"Člověk"_s, u"Barbar"_s, u"Kroll"_s}));
    QCOMPARE(professionNames(), (QStringList{u"Válečník"_s, u"Hraničář"_s, u"Alchymista"_s,
                                             u"Kouzelník"_s, u"Zloděj"_s}));
    QCOMPARE(meleeWeaponItems(),
             (QStringList{u"žádná"_s,
                          u"Dýka  2/0/-2"_s,
                          u"Tesák  3/-1/-2"_s,
                          u"Krátký meč  4/-1/-1"_s,
                          u"Obušek  3/-2/-2"_s,
                          u"Šavle  4/+2/+1"_s,
                          u"Široký meč  5/0/0"_s,
                          u"Sekera  3/+1/-1"_s,
                          u"Kyj  3/+2/-1"_s,
                          u"Meč Bastard  6/0/+1"_s,
                          u"Dlouhý meč  7/-1/0"_s,
                          u"Válečné kladivo  5/+2/-1"_s,
                          u"Řemdih  4/+3/-2"_s,
                          u"Hůl kovaná  +/-1/+1"_s,
                          u"Vidle  4/0/+1"_s,
                          u"Kopí  5/0/+1"_s,
                          u"Válečná sekera  4/+3/-1"_s,
                          u"Sudlice  5/+1/+1"_s,
                          u"Píka  5/+2/+1"_s,
                          u"Tesák a dýka 4/0/+2"_s,
                          u"Krátký meč a dýka  5/0/+3"_s,
                          u"Cep  5/+4/-1"_s,
                          u"Halapartna  4/+6/+2"_s,
                          u"Obouruční meč  7/+1/-1"_s,
                          u"Těžký kyj  5/+1/-1"_s,
                          u"Trojzubec  6/+2/+2"_s,
                          u"Dvě šavle  8/-2/+3"_s,
                          u"Široký meč a tesák  6/-2/+2"_s}));
    QCOMPARE(rangedWeaponItems(),
             (QStringList{u"žádná"_s,
                          u"Krátký luk  4/0  10-20-30"_s,
                          u"Dlouhý luk  5/+1  15-30-50"_s,
                          u"Lehká kuše  4/+1  15-27-40"_s,
                          u"Těžká kuše  6/+2  19-35-55"_s,
                          u"Prak  4/-1  9-16-25"_s,
                          u"Kopí  5/0  5-12-20"_s,
                          u"Oštěp  5/+1  6-14-23"_s,
                          u"Sekera  3/+1  4-8-12"_s,
                          u"Dýka  2/0  5-9-12"_s,
                          u"Hvězdice  1/+1  3-7-11"_s,
                          u"Kámen  0/+1  7-11-15"_s,
                          u"Flakónek  0/0  5-9-13"_s,
                          u"Lahev  0/+1  4-7-10"_s,
                          u"Pochodeň  0/+1  4-7-10"_s}));
    QCOMPARE(armourItems(),
             (QStringList{u"žádná"_s, u"Vycpávaná (2)"_s, u"Kožená (3)"_s, u"Šupinová (4)"_s,
                          u"Kroužková (5)"_s, u"Plátová (6)"_s, u"Rytířská (7)"_s,
                          u"Mitrilová (8)"_s}));
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

#include "TestRulesTables.moc"
