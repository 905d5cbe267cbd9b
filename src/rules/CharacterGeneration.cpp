// SPDX-License-Identifier: GPL-3.0-or-later
#include "rules/CharacterGeneration.h"

#include "rules/CombatNumbers.h"

namespace {

int roll(AttributeRange range, Random& random)
{
    return range.low + random.below(range.span());
}

} // namespace

AttributeValues rollAttributes(int race, int profession, Random& random)
{
    const AttributeRanges& raceRanges = raceAttributeRanges(race);
    const ProfessionRules& rules = professionRules(profession);
    const AttributeValues& corrections = raceCorrections(race);

    AttributeValues values{};
    for (int attribute = 0; attribute < AttributeCount; ++attribute)
        values[attribute] = roll(raceRanges[attribute], random);
    // The race's roll of a main attribute is drawn above and discarded here.
    values[rules.first.attribute] = roll(rules.first.range, random);
    values[rules.second.attribute] = roll(rules.second.range, random);
    values[rules.first.attribute] += corrections[rules.first.attribute];
    values[rules.second.attribute] += corrections[rules.second.attribute];
    return values;
}

Character deriveCharacter(int race, int profession, const AttributeValues& values)
{
    const RaceTraits& traits = raceTraits(race);
    Character character;
    character.values = values;
    for (int attribute = 0; attribute < AttributeCount; ++attribute)
        character.bonuses[attribute] = attributeBonus(values[attribute]);
    character.hitPoints = professionRules(profession).hitPointBase + character.bonuses[Odolnost];
    character.magicPoints = magicPoints(profession, values);
    character.sizeClass = QString(QChar(traits.sizeClass));
    character.perceptionObjects = values[Inteligence] + traits.perceptionObjectsBonus;
    character.perceptionMechanisms = values[Inteligence] / 2 + traits.perceptionMechanismsBonus;
    return character;
}

Character rollCharacter(int race, int profession, Random& random)
{
    return deriveCharacter(race, profession, rollAttributes(race, profession, random));
}

QString attributeText(int value, int bonus)
{
    const QString bonusText = bonus > 0 ? u'+' + QString::number(bonus) : QString::number(bonus);
    return QString::number(value) + QStringLiteral(" / ") + bonusText;
}

FieldColor attributeColor(int value)
{
    if (value >= 13)
        return FieldColor::Green;
    if (value >= 10)
        return FieldColor::WindowText;
    return FieldColor::Red;
}

QString moneyText(int money)
{
    return QString::number(money) + QStringLiteral(" zl");
}

SheetTexts sheetTexts(const Choices& choices, const Character& character)
{
    SheetTexts sheet;
    sheet.name = choices.name;
    sheet.raceAndProfession = raceName(choices.race) + u' ' + professionName(choices.profession);
    for (int attribute = 0; attribute < AttributeCount; ++attribute) {
        const int value = character.values[attribute];
        sheet.attributes[attribute] = {attributeText(value, character.bonuses[attribute]),
                                       attributeColor(value)};
    }
    sheet.hitPoints = QString::number(character.hitPoints);
    sheet.magicPoints = QString::number(character.magicPoints);
    sheet.size = character.sizeClass;
    sheet.perceptionObjects = QString::number(character.perceptionObjects);
    sheet.perceptionMechanisms = QString::number(character.perceptionMechanisms);
    sheet.money = moneyText(choices.money);
    return sheet;
}

GenerationResult generateCharacter(const Choices& choices, quint32 seed)
{
    Random random(seed);
    GenerationResult result;
    result.character = rollCharacter(choices.race, choices.profession, random);
    result.sheet = sheetTexts(choices, result.character);
    result.combat =
        combatNumbers(choices, result.character.bonuses[Sila], result.character.bonuses[Obratnost]);
    return result;
}
