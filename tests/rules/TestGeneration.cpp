#include "CharacterGeneration.h"

#include <QTest>

using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(AttributeValues)

namespace {

const QColor Red(0xFF, 0x00, 0x00);
const QColor Green(0x00, 0x80, 0x00);
const QColor WindowText; // invalid: the window's own text colour

} // namespace

class TestGeneration : public QObject
{
    Q_OBJECT

private slots:
    void rollFromSeed_data();
    void rollFromSeed();
    void attributeField_data();
    void attributeField();
    void elfKouzelnikWithInteligence21();
    void clovekAfterTrpaslik();
    void sheetTexts_data();
    void sheetTexts();
};

void TestGeneration::rollFromSeed_data()
{
    QTest::addColumn<int>("race");
    QTest::addColumn<int>("profession");
    QTest::addColumn<quint32>("seed");
    QTest::addColumn<AttributeValues>("values");
    QTest::addColumn<quint32>("stateAfter"); // seven draws taken, no more

    // Seed 45296789 draws 2, 1, 2, 0 (below 6), 7 (below 11), then 2 and 0 (below 6).
    // Kroll: Síla 11+2, Obratnost 5+1, Odolnost 13+2, Inteligence 2+0 discarded for 14+2-6,
    // Charisma 1+7 discarded for 13+0-5.
    QTest::newRow("Kroll Kouzelník") << 6 << 3 << quint32(45296789)
                                     << AttributeValues{13, 6, 15, 10, 8} << quint32(456017788u);
    // Hobit Válečník: Síla 13..18 rolled 17, corrected by -5; Odolnost rolled 15, correction 0.
    QTest::newRow("Hobit Válečník") << 0 << 0 << quint32(1000) << AttributeValues{12, 15, 15, 13, 8}
                                    << quint32(1816279059u);
    QTest::newRow("Člověk Zloděj") << 4 << 4 << quint32(0xFFFFFFFFu)
                                   << AttributeValues{16, 14, 12, 10, 14} << quint32(2042630942u);
    QTest::newRow("Elf Kouzelník") << 3 << 3 << quint32(0) << AttributeValues{6, 10, 11, 20, 16}
                                   << quint32(1368768587u);
}

void TestGeneration::rollFromSeed()
{
    QFETCH(int, race);
    QFETCH(int, profession);
    QFETCH(quint32, seed);
    QFETCH(AttributeValues, values);
    QFETCH(quint32, stateAfter);

    Random random(seed);
    QCOMPARE(rollAttributes(race, profession, random), values);
    QCOMPARE(random.state(), stateAfter);

    Choices choices;
    choices.race = race;
    choices.profession = profession;
    QCOMPARE(generateCharacter(choices, seed).character.values, values);
}

void TestGeneration::attributeField_data()
{
    QTest::addColumn<int>("value");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QColor>("color");

    QTest::newRow("1") << 1 << u"1 / -5"_s << Red;
    QTest::newRow("8") << 8 << u"8 / -1"_s << Red;
    QTest::newRow("9") << 9 << u"9 / -1"_s << Red;
    QTest::newRow("10") << 10 << u"10 / 0"_s << WindowText;
    QTest::newRow("11") << 11 << u"11 / 0"_s << WindowText;
    QTest::newRow("12") << 12 << u"12 / 0"_s << WindowText;
    QTest::newRow("13") << 13 << u"13 / +1"_s << Green;
    QTest::newRow("16") << 16 << u"16 / +2"_s << Green;
    QTest::newRow("21") << 21 << u"21 / +5"_s << Green;
}

void TestGeneration::attributeField()
{
    QFETCH(int, value);
    QFETCH(QString, text);
    QFETCH(QColor, color);

    QCOMPARE(attributeText(value, attributeBonus(value)), text);
    QCOMPARE(attributeColor(value), color);
}

void TestGeneration::elfKouzelnikWithInteligence21()
{
    const Character elf = deriveCharacter(3, 3, {6, 10, 11, 21, 16});
    QCOMPARE(elf.bonuses[Inteligence], 5);
    QCOMPARE(elf.magicPoints, 9);
    QCOMPARE(elf.perceptionObjects, 21);
    QCOMPARE(elf.perceptionMechanisms, 15);
    QCOMPARE(elf.sizeClass, u"B"_s);
    QCOMPARE(elf.hitPoints, 6); // Odolnost 11 adds nothing
}

void TestGeneration::clovekAfterTrpaslik()
{
    Choices choices;
    choices.race = 2; // Trpaslík: +5 for objects
    const GenerationResult trpaslik = generateCharacter(choices, 12345);
    QCOMPARE(trpaslik.character.perceptionObjects, trpaslik.character.values[Inteligence] + 5);

    choices.race = 4;
    for (quint32 seed : {12345u, 999u, 86399999u}) {
        const GenerationResult clovek = generateCharacter(choices, seed);
        const int inteligence = clovek.character.values[Inteligence];
        QCOMPARE(clovek.character.perceptionObjects, inteligence);
        QCOMPARE(clovek.character.perceptionMechanisms, inteligence / 2);
        QCOMPARE(clovek.sheet.perceptionObjects, QString::number(inteligence));
    }
}

void TestGeneration::sheetTexts_data()
{
    QTest::addColumn<int>("race");
    QTest::addColumn<int>("profession");
    QTest::addColumn<quint32>("seed");
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("money");
    QTest::addColumn<QStringList>("texts");
    QTest::addColumn<QList<QColor>>("colors");

    // Kroll Kouzelník from above: 13, 6, 15, 10, 8; hit points 6 + 2; Inteligence 10 gives
    // 7 magic points, perception 10 + 5 and 5 + 0.
    QTest::newRow("Kroll Kouzelník")
        << 6 << 3 << quint32(45296789) << u"  Žofie "_s << 150
        << QStringList{u"  Žofie "_s, u"Kroll Kouzelník"_s, u"13 / +1"_s, u"6 / -2"_s,
                       u"15 / +2"_s, u"10 / 0"_s, u"8 / -1"_s, u"8"_s, u"7"_s, u"C"_s, u"15"_s,
                       u"5"_s, u"150 zl"_s}
        << QList<QColor>{Green, Red, Green, WindowText, Red};
    // Hobit Válečník: 12, 15, 15, 13, 8; hit points 10 + 2; perception 13 + 0 and 6 + 5.
    QTest::newRow("Hobit Válečník")
        << 0 << 0 << quint32(1000) << QString() << 0
        << QStringList{QString(), u"Hobit Válečník"_s, u"12 / 0"_s, u"15 / +2"_s, u"15 / +2"_s,
                       u"13 / +1"_s, u"8 / -1"_s, u"12"_s, u"0"_s, u"A"_s, u"13"_s, u"11"_s,
                       u"0 zl"_s}
        << QList<QColor>{WindowText, Green, Green, Green, Red};
    QTest::newRow("Člověk Zloděj")
        << 4 << 4 << quint32(0xFFFFFFFFu) << u"Pepík"_s << 100000
        << QStringList{u"Pepík"_s, u"Člověk Zloděj"_s, u"16 / +2"_s, u"14 / +1"_s, u"12 / 0"_s,
                       u"10 / 0"_s, u"14 / +1"_s, u"6"_s, u"0"_s, u"B"_s, u"10"_s, u"5"_s,
                       u"100000 zl"_s}
        << QList<QColor>{Green, Green, WindowText, WindowText, Green};
}

void TestGeneration::sheetTexts()
{
    QFETCH(int, race);
    QFETCH(int, profession);
    QFETCH(quint32, seed);
    QFETCH(QString, name);
    QFETCH(int, money);
    QFETCH(QStringList, texts);
    QFETCH(QList<QColor>, colors);

    Choices choices;
    choices.race = race;
    choices.profession = profession;
    choices.name = name;
    choices.money = money;
    const SheetTexts sheet = generateCharacter(choices, seed).sheet;

    QStringList actual{sheet.name, sheet.raceAndProfession};
    QList<QColor> actualColors;
    for (const FieldText& field : sheet.attributes) {
        actual.append(field.text);
        actualColors.append(field.color);
    }
    actual << sheet.hitPoints << sheet.magicPoints << sheet.size << sheet.perceptionObjects
           << sheet.perceptionMechanisms << sheet.money;
    QCOMPARE(actual, texts);
    QCOMPARE(actualColors, colors);
}

QTEST_GUILESS_MAIN(TestGeneration)

#include "TestGeneration.moc"
