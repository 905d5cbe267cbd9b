// SPDX-License-Identifier: GPL-3.0-or-later
#include "rules/RulesTables.h"

#include <algorithm>
#include <stdexcept>
#include <string>

namespace {

template <typename T, std::size_t N> const T& lookUp(const std::array<T, N>& table, int position)
{
    if (position < 0 || std::size_t(position) >= N)
        throw std::out_of_range("List index out of bounds (" + std::to_string(position) + ")");
    return table[std::size_t(position)];
}

QString toQString(std::u16string_view text)
{
    return QString(reinterpret_cast<const QChar*>(text.data()), qsizetype(text.size()));
}

template <std::size_t N> QStringList toList(const std::array<std::u16string_view, N>& items)
{
    QStringList list;
    list.reserve(qsizetype(N));
    for (const auto item : items)
        list.append(toQString(item));
    return list;
}

// Síla, Obratnost, Odolnost, Inteligence, Charisma
constexpr std::array<AttributeRanges, RaceCount> RaceRanges{{
    {{{3, 8}, {11, 16}, {8, 13}, {10, 15}, {8, 18}}},  // Hobit
    {{{5, 10}, {10, 15}, {10, 15}, {9, 14}, {7, 12}}}, // Kudůk
    {{{7, 12}, {7, 12}, {12, 17}, {8, 13}, {7, 12}}},  // Trpaslík
    {{{6, 11}, {10, 15}, {6, 11}, {12, 17}, {8, 18}}}, // Elf
    {{{6, 16}, {9, 14}, {9, 14}, {10, 15}, {2, 17}}},  // Člověk
    {{{10, 15}, {8, 13}, {11, 16}, {6, 11}, {1, 16}}}, // Barbar
    {{{11, 16}, {5, 10}, {13, 18}, {2, 7}, {1, 11}}},  // Kroll
}};

constexpr std::array<AttributeValues, RaceCount> RaceCorrections{{
    {-5, +2, 0, -2, +3},  // Hobit
    {-3, +1, +1, -2, 0},  // Kudůk
    {+1, -2, +3, -3, -2}, // Trpaslík
    {0, +1, -4, +2, +2},  // Elf
    {0, 0, 0, 0, 0},      // Člověk
    {+1, -1, +1, 0, -2},  // Barbar
    {+3, -4, +3, -6, -5}, // Kroll
}};

constexpr MagicPointRule NoMagic{};

constexpr std::array<ProfessionRules, ProfessionCount> Professions{{
    {{Sila, {13, 18}}, {Odolnost, {13, 18}}, 10, NoMagic},                       // Válečník
    {{Sila, {11, 16}}, {Inteligence, {12, 17}}, 8, NoMagic},                     // Hraničář
    {{Obratnost, {13, 18}}, {Odolnost, {12, 17}}, 7, {true, Obratnost, 17}},     // Alchymista
    {{Inteligence, {14, 19}}, {Charisma, {13, 18}}, 6, {true, Inteligence, 18}}, // Kouzelník
    {{Obratnost, {14, 19}}, {Charisma, {12, 17}}, 6, NoMagic},                   // Zloděj
}};

constexpr std::array<RaceTraits, RaceCount> Races{{
    {u'A', 0, 5, NoWeapon, {3, 4}},         // Hobit: Lehká and Těžká kuše
    {u'A', 0, 5, 7, {NoWeapon, NoWeapon}},  // Kudůk: Sekera
    {u'A', 5, 0, 16, {NoWeapon, NoWeapon}}, // Trpaslík: Válečná sekera
    {u'B', 0, 5, NoWeapon, {2, NoWeapon}},  // Elf: Dlouhý luk
    {u'B', 0, 0, 6, {NoWeapon, NoWeapon}},  // Člověk: Široký meč
    {u'B', 5, 0, 9, {NoWeapon, NoWeapon}},  // Barbar: Meč bastard
    {u'C', 5, 0, 24, {NoWeapon, NoWeapon}}, // Kroll: Těžký kyj
}};

// Values 0 .. 21; 0 does not arise and shares the bonus of 1.
constexpr std::array<int, 22> Bonuses{-5, -5, -4, -4, -3, -3, -2, -2, -1, -1, 0,
                                      0,  0,  1,  1,  2,  2,  3,  3,  4,  4,  5};

constexpr std::array<MeleeWeapon, MeleeWeaponCount> MeleeWeapons{{
    {u"-žádná-", 0, 0, -3},
    {u"Dýka", 2, 0, -2},
    {u"Tesák", 3, -1, -2},
    {u"Krátký meč", 4, -1, -1},
    {u"Obušek", 3, -2, -2},
    {u"Šavle", 4, 2, 1},
    {u"Široký meč", 5, 0, 0},
    {u"Sekera", 3, 1, -1},
    {u"Kyj", 3, 2, -1},
    {u"Meč bastard", 6, 0, 1},
    {u"Dlouhý meč", 7, -1, 0},
    {u"Válečné kladivo", 5, 2, -1},
    {u"Řemdih", 4, 3, -2},
    {u"Hůl kovaná", 5, -1, 1},
    {u"Vidle", 4, 0, 1},
    {u"Kopí", 5, 0, 1},
    {u"Válečná sekera", 4, 3, -1},
    {u"Sudlice", 5, 1, 1},
    {u"Píka", 5, 2, 1},
    {u"Tesák a dýka", 4, 0, 2},
    {u"Krátký meč a dýka", 5, 0, 3},
    {u"Cep", 5, 4, -1},
    {u"Halapartna", 4, 6, 2},
    {u"Obouruční meč", 7, 1, -1},
    {u"Těžký kyj", 5, 4, -1},
    {u"Trojzubec", 6, 2, 2},
    {u"Dvě šavle", 8, -2, 3},
    {u"Široký meč a tesák", 6, -2, 2},
}};

constexpr std::array<RangedWeapon, RangedWeaponCount> RangedWeapons{{
    {u"-žádná-", std::nullopt, 0, 0, 0, 0},
    {u"Krátký luk", 4, 0, 10, 20, 30},
    {u"Dlouhý luk", 5, 1, 15, 30, 50},
    {u"Lehká kuše", 4, 1, 15, 27, 40},
    {u"Těžká kuše", 6, 2, 19, 35, 55},
    {u"Prak", 4, -1, 9, 16, 25},
    {u"Kopí", 5, 0, 5, 12, 20},
    {u"Oštěp", 5, 1, 6, 14, 23},
    {u"Sekera", 3, 1, 4, 8, 12},
    {u"Dýka", 2, 0, 5, 9, 12},
    {u"Hvězdice", 1, 1, 3, 7, 11},
    {u"Kámen", 0, 1, 7, 11, 15},
    {u"Flakónek", 0, 0, 5, 9, 13},
    {u"Láhev", 0, 1, 4, 7, 10},
    {u"Pochodeň", 0, 1, 4, 7, 10},
}};

// No armour still counts 1.
constexpr std::array<int, ArmourCount> ArmourValues{1, 2, 3, 4, 5, 6, 7, 8};

constexpr std::array<std::u16string_view, RaceCount> RaceItems{
    u"Hobit", u"Kudůk", u"Trpaslík", u"Elf", u"Člověk", u"Barbar", u"Kroll"};

constexpr std::array<std::u16string_view, ProfessionCount> ProfessionItems{
    u"Válečník", u"Hraničář", u"Alchymista", u"Kouzelník", u"Zloděj"};

// The figures in the items are for the user to read; the rules come from the tables above.
constexpr std::array<std::u16string_view, MeleeWeaponCount> MeleeItems{
    u"žádná",
    u"Dýka  2/0/-2",
    u"Tesák  3/-1/-2",
    u"Krátký meč  4/-1/-1",
    u"Obušek  3/-2/-2",
    u"Šavle  4/+2/+1",
    u"Široký meč  5/0/0",
    u"Sekera  3/+1/-1",
    u"Kyj  3/+2/-1",
    u"Meč Bastard  6/0/+1",
    u"Dlouhý meč  7/-1/0",
    u"Válečné kladivo  5/+2/-1",
    u"Řemdih  4/+3/-2",
    u"Hůl kovaná  +/-1/+1",
    u"Vidle  4/0/+1",
    u"Kopí  5/0/+1",
    u"Válečná sekera  4/+3/-1",
    u"Sudlice  5/+1/+1",
    u"Píka  5/+2/+1",
    u"Tesák a dýka 4/0/+2",
    u"Krátký meč a dýka  5/0/+3",
    u"Cep  5/+4/-1",
    u"Halapartna  4/+6/+2",
    u"Obouruční meč  7/+1/-1",
    u"Těžký kyj  5/+1/-1",
    u"Trojzubec  6/+2/+2",
    u"Dvě šavle  8/-2/+3",
    u"Široký meč a tesák  6/-2/+2",
};

constexpr std::array<std::u16string_view, RangedWeaponCount> RangedItems{
    u"žádná",
    u"Krátký luk  4/0  10-20-30",
    u"Dlouhý luk  5/+1  15-30-50",
    u"Lehká kuše  4/+1  15-27-40",
    u"Těžká kuše  6/+2  19-35-55",
    u"Prak  4/-1  9-16-25",
    u"Kopí  5/0  5-12-20",
    u"Oštěp  5/+1  6-14-23",
    u"Sekera  3/+1  4-8-12",
    u"Dýka  2/0  5-9-12",
    u"Hvězdice  1/+1  3-7-11",
    u"Kámen  0/+1  7-11-15",
    u"Flakónek  0/0  5-9-13",
    u"Lahev  0/+1  4-7-10",
    u"Pochodeň  0/+1  4-7-10",
};

constexpr std::array<std::u16string_view, ArmourCount> ArmourItems{
    u"žádná",         u"Vycpávaná (2)", u"Kožená (3)",   u"Šupinová (4)",
    u"Kroužková (5)", u"Plátová (6)",   u"Rytířská (7)", u"Mitrilová (8)",
};

} // namespace

const AttributeRanges& raceAttributeRanges(int race)
{
    return lookUp(RaceRanges, race);
}

const AttributeValues& raceCorrections(int race)
{
    return lookUp(RaceCorrections, race);
}

const RaceTraits& raceTraits(int race)
{
    return lookUp(Races, race);
}

const ProfessionRules& professionRules(int profession)
{
    return lookUp(Professions, profession);
}

int attributeBonus(int value)
{
    return Bonuses[std::size_t(std::clamp(value, 1, 21))];
}

int magicPoints(int profession, const AttributeValues& values)
{
    const MagicPointRule& rule = professionRules(profession).magic;
    if (!rule.hasMagic)
        return 0;
    const int value = values[rule.source];
    if (value >= rule.nineFrom)
        return 9;
    return value >= 12 ? 8 : 7;
}

const MeleeWeapon& meleeWeapon(int position)
{
    return lookUp(MeleeWeapons, position);
}

const RangedWeapon& rangedWeapon(int position)
{
    return lookUp(RangedWeapons, position);
}

int armourValue(int position)
{
    return lookUp(ArmourValues, position);
}

QString meleeSheetName(int position)
{
    return toQString(meleeWeapon(position).sheetName).leftJustified(MeleeSheetNameWidth, u' ');
}

QString rangedSheetName(int position)
{
    return toQString(rangedWeapon(position).sheetName).leftJustified(RangedSheetNameWidth, u' ');
}

bool hasRaceMeleeBonus(int race, int meleePosition)
{
    return meleePosition != NoWeapon && raceTraits(race).meleeBonusWeapon == meleePosition;
}

bool hasRaceRangedBonus(int race, int rangedPosition)
{
    const auto& bonusWeapons = raceTraits(race).rangedBonusWeapons;
    return rangedPosition != NoWeapon && std::find(bonusWeapons.begin(), bonusWeapons.end(),
                                                   rangedPosition) != bonusWeapons.end();
}

QString raceName(int race)
{
    return toQString(lookUp(RaceItems, race));
}

QString professionName(int profession)
{
    return toQString(lookUp(ProfessionItems, profession));
}

QStringList raceNames()
{
    return toList(RaceItems);
}

QStringList professionNames()
{
    return toList(ProfessionItems);
}

QStringList meleeWeaponItems()
{
    return toList(MeleeItems);
}

QStringList rangedWeaponItems()
{
    return toList(RangedItems);
}

QStringList armourItems()
{
    return toList(ArmourItems);
}
