// SPDX-License-Identifier: GPL-3.0-or-later
#include "rules/CharacterGeneration.h"

#include <QTest>

using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(Choices)
Q_DECLARE_METATYPE(FieldColor)

namespace {

constexpr FieldColor Red = FieldColor::Red;
constexpr FieldColor Green = FieldColor::Green;
constexpr FieldColor WindowText = FieldColor::WindowText;

QStringList fields(const SheetTexts& sheet)
{
    QStringList texts{sheet.name, sheet.raceAndProfession};
    for (const FieldText& field : sheet.attributes)
        texts.append(field.text);
    return texts << sheet.hitPoints << sheet.magicPoints << sheet.size << sheet.perceptionObjects
                 << sheet.perceptionMechanisms << sheet.money;
}

} // namespace

class TestGeneration : public QObject
{
    Q_OBJECT

private slots:
    void fromSeed_data();
    void fromSeed();
    void attributeField_data();
    void attributeField();
    void elfKouzelnikWithInteligence21();
    void clovekAfterTrpaslik();
};

void TestGeneration::fromSeed_data()
{
    QTest::addColumn<Choices>("choices");
    QTest::addColumn<quint32>("seed");
    QTest::addColumn<quint32>("stateAfter"); // seven draws taken, no more
    QTest::addColumn<QStringList>("texts");
    QTest::addColumn<QList<FieldColor>>("colors");

    // Seed 45296789 draws 2, 1, 2, 0 (below 6), 7 (below 11), then 2 and 0 (below 6).
    // Kroll: Síla 11+2, Obratnost 5+1, Odolnost 13+2, Inteligence 2+0 discarded for 14+2-6,
    // Charisma 1+7 discarded for 13+0-5. Hit points 6 + 2, perception 10 + 5 and 5 + 0.
    QTest::newRow("Kroll Kouzelník")
        << Choices{6, 3, u"  Žofie "_s, 150} << quint32(45296789) << quint32(456017788u)
        << QStringList{u"  Žofie "_s, u"Kroll Kouzelník"_s,
                       u"13 / +1"_s,  u"6 / -2"_s,
                       u"15 / +2"_s,  u"10 / 0"_s,
                       u"8 / -1"_s,   u"8"_s,
                       u"7"_s,        u"C"_s,
                       u"15"_s,       u"5"_s,
                       u"150 zl"_s}
        << QList{Green, Red, Green, WindowText, Red};
    // Hobit Válečník: Síla rolled 17, corrected by -5; Odolnost rolled 15, correction 0.
    QTest::newRow("Hobit Válečník")
        << Choices{0, 0, QString(), 0} << quint32(1000) << quint32(1816279059u)
        << QStringList{QString(),    u"Hobit Válečník"_s,
                       u"12 / 0"_s,  u"15 / +2"_s,
                       u"15 / +2"_s, u"13 / +1"_s,
                       u"8 / -1"_s,  u"12"_s,
                       u"0"_s,       u"A"_s,
                       u"13"_s,      u"11"_s,
                       u"0 zl"_s}
        << QList{WindowText, Green, Green, Green, Red};
    QTest::newRow("Člověk Zloděj")
        << Choices{4, 4, u"Pepík"_s, 100000} << quint32(0xFFFFFFFFu) << quint32(2042630942u)
        << QStringList{u"Pepík"_s,    u"Člověk Zloděj"_s,
                       u"16 / +2"_s,  u"14 / +1"_s,
                       u"12 / 0"_s,   u"10 / 0"_s,
                       u"14 / +1"_s,  u"6"_s,
                       u"0"_s,        u"B"_s,
                       u"10"_s,       u"5"_s,
                       u"100000 zl"_s}
        << QList{Green, Green, WindowText, WindowText, Green};
    // Elf Kouzelník: Inteligence 18 + 2 gives 9 magic points.
    QTest::newRow("Elf Kouzelník") << Choices{3, 3, u"E"_s, 1} << quint32(0) << quint32(1368768587u)
                                   << QStringList{u"E"_s,       u"Elf Kouzelník"_s,
                                                  u"6 / -2"_s,  u"10 / 0"_s,
                                                  u"11 / 0"_s,  u"20 / +4"_s,
                                                  u"16 / +2"_s, u"6"_s,
                                                  u"9"_s,       u"B"_s,
                                                  u"20"_s,      u"15"_s,
                                                  u"1 zl"_s}
                                   << QList{Red, WindowText, WindowText, Green, Green};
}

void TestGeneration::fromSeed()
{
    QFETCH(Choices, choices);
    QFETCH(quint32, seed);
    QFETCH(quint32, stateAfter);
    QFETCH(QStringList, texts);
    QFETCH(QList<FieldColor>, colors);

    Random random(seed);
    rollAttributes(choices.race, choices.profession, random);
    QCOMPARE(random.state(), stateAfter);

    const SheetTexts sheet = generateCharacter(choices, seed).sheet;
    QCOMPARE(fields(sheet), texts);
    QList<FieldColor> actualColors;
    for (const FieldText& field : sheet.attributes)
        actualColors.append(field.color);
    QCOMPARE(actualColors, colors);
}

void TestGeneration::attributeField_data()
{
    QTest::addColumn<int>("value");
    QTest::addColumn<QString>("text");
    QTest::addColumn<FieldColor>("color");

    QTest::newRow("1") << 1 << u"1 / -5"_s << Red;
    QTest::newRow("9") << 9 << u"9 / -1"_s << Red;
    QTest::newRow("10") << 10 << u"10 / 0"_s << WindowText;
    QTest::newRow("12") << 12 << u"12 / 0"_s << WindowText;
    QTest::newRow("13") << 13 << u"13 / +1"_s << Green;
    QTest::newRow("21") << 21 << u"21 / +5"_s << Green;
}

void TestGeneration::attributeField()
{
    QFETCH(int, value);
    QFETCH(QString, text);
    QFETCH(FieldColor, color);
    QCOMPARE(attributeText(value, attributeBonus(value)), text);
    QCOMPARE(attributeColor(value), color);
}

void TestGeneration::elfKouzelnikWithInteligence21()
{
    const Character elf = deriveCharacter(3, 3, {6, 10, 11, 21, 16});
    QCOMPARE(elf.magicPoints, 9);
    QCOMPARE(elf.perceptionObjects, 21);
    QCOMPARE(elf.perceptionMechanisms, 15); // 21 halved is 10, plus 5
    QCOMPARE(elf.hitPoints, 6);
}

void TestGeneration::clovekAfterTrpaslik()
{
    const Character trpaslik = deriveCharacter(2, 0, {15, 10, 16, 11, 9});
    QCOMPARE(trpaslik.perceptionObjects, 16);
    QCOMPARE(trpaslik.perceptionMechanisms, 5);
    const Character clovek = deriveCharacter(4, 0, {15, 10, 16, 11, 9});
    QCOMPARE(clovek.perceptionObjects, 11);
    QCOMPARE(clovek.perceptionMechanisms, 5);
    QCOMPARE(clovek.sizeClass, u"B"_s);
}

QTEST_GUILESS_MAIN(TestGeneration)

#include "test_generation.moc"
