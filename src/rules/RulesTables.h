// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "rules/Character.h"

#include <QString>
#include <QStringList>

#include <array>
#include <optional>
#include <string_view>

// The game's fixed tables, indexed by the positions in the character window's lists. Every lookup
// by position throws std::out_of_range for a position outside its table.

inline constexpr int RaceCount = 7;       // Hobit .. Kroll
inline constexpr int ProfessionCount = 5; // Válečník .. Zloděj
inline constexpr int MeleeWeaponCount = 28;
inline constexpr int RangedWeaponCount = 15;
inline constexpr int ArmourCount = 8;

inline constexpr int MeleeSheetNameWidth = 18;
inline constexpr int RangedSheetNameWidth = 10;

// Marks a race weapon bonus slot that names no weapon.
inline constexpr int NoWeapon = -1;

// One roll: a whole number from low to high inclusive.
struct AttributeRange
{
    int low = 0;
    int high = 0;
    constexpr int span() const { return high - low + 1; }
    friend constexpr bool operator==(const AttributeRange&, const AttributeRange&) = default;
};

using AttributeValues = std::array<int, AttributeCount>;
using AttributeRanges = std::array<AttributeRange, AttributeCount>;

struct MainAttributeRoll
{
    Attribute attribute;
    AttributeRange range;
};

// Magic points come from one attribute: 7 up to 11, 8 from 12, 9 from nineFrom on.
struct MagicPointRule
{
    bool hasMagic = false;
    Attribute source = Sila;
    int nineFrom = 0;
};

struct ProfessionRules
{
    MainAttributeRoll first;
    MainAttributeRoll second;
    int hitPointBase;
    MagicPointRule magic;
};

struct RaceTraits
{
    char16_t sizeClass;
    int perceptionObjectsBonus;
    int perceptionMechanismsBonus;
    int meleeBonusWeapon;                  // melee position or NoWeapon
    std::array<int, 2> rangedBonusWeapons; // ranged positions or NoWeapon
};

struct MeleeWeapon
{
    std::u16string_view sheetName; // unpadded
    int strength;                  // base of the attack number
    int attack;                    // Útoč.
    int defence;                   // OZ
};

struct RangedWeapon
{
    std::u16string_view sheetName; // unpadded
    std::optional<int> strength;   // none: the row holds no ranged weapon
    int attack;                    // Útoč.
    int rangeShort;                // m.
    int rangeMedium;               // s.
    int rangeLong;                 // d.
};

// The race's roll of all five attributes.
const AttributeRanges& raceAttributeRanges(int race);
// Added to the profession's two main attributes after their roll, and to nothing else.
const AttributeValues& raceCorrections(int race);
const RaceTraits& raceTraits(int race);
const ProfessionRules& professionRules(int profession);

// The attribute bonus of a value from 1 to 21 (-5 .. +5); values beyond are treated as 1 or 21.
int attributeBonus(int value);
int magicPoints(int profession, const AttributeValues& values);

const MeleeWeapon& meleeWeapon(int position);
const RangedWeapon& rangedWeapon(int position);
int armourValue(int position);

// Sheet names padded with spaces to the width of their column.
QString meleeSheetName(int position);
QString rangedSheetName(int position);

bool hasRaceMeleeBonus(int race, int meleePosition);
bool hasRaceRangedBonus(int race, int rangedPosition);

// The names the sheet shows, which are the list items.
QString raceName(int race);
QString professionName(int profession);

// The item texts of the character window's lists, in list order.
QStringList raceNames();
QStringList professionNames();
QStringList meleeWeaponItems();
QStringList rangedWeaponItems();
QStringList armourItems();
