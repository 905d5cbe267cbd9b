// SPDX-License-Identifier: GPL-3.0-or-later
#include "rules/CombatNumbers.h"

#include "rules/RulesTables.h"

#include <algorithm>
#include <stdexcept>

namespace {

enum PrimaryRow { MeleeRow = 0, FirstRangedRow = 1, SecondRangedRow = 2 };

WeaponRow meleeRow(int race, int position, int silaBonus)
{
    const MeleeWeapon& weapon = meleeWeapon(position);
    WeaponRow row;
    row.sheetName = meleeSheetName(position);
    row.attackNumber =
        std::max(1, weapon.strength + silaBonus + (hasRaceMeleeBonus(race, position) ? 1 : 0));
    row.attack = weapon.attack;
    row.defence = weapon.defence;
    return row;
}

WeaponRow rangedRow(int race, int position, int obratnostBonus)
{
    const RangedWeapon& weapon = rangedWeapon(position);
    WeaponRow row;
    row.sheetName = rangedSheetName(position);
    if (weapon.strength) {
        const int raceBonus = hasRaceRangedBonus(race, position) ? 1 : 0;
        row.attackNumber = std::max(1, *weapon.strength + obratnostBonus + raceBonus);
    }
    row.attack = weapon.attack;
    row.rangeShort = weapon.rangeShort;
    row.rangeMedium = weapon.rangeMedium;
    row.rangeLong = weapon.rangeLong;
    return row;
}

// Using a ranged weapon first costs 2, and 3 more when that row holds no weapon at all.
int rangedWeaponTerm(int position)
{
    return rangedWeapon(position).strength ? -2 : -5;
}

int weaponTerm(const Choices& choices)
{
    switch (choices.primaryRow) {
    case MeleeRow:
        return meleeWeapon(choices.melee).defence;
    case FirstRangedRow:
        return rangedWeaponTerm(choices.ranged1);
    case SecondRangedRow:
        return rangedWeaponTerm(choices.ranged2);
    }
    throw std::out_of_range("Primary weapon row out of bounds");
}

int defenceNumber(const Choices& choices, int obratnostBonus)
{
    const int defence = weaponTerm(choices) + (choices.shield ? 1 : 0) + obratnostBonus +
                        armourValue(choices.armour);
    return std::max(1, defence);
}

} // namespace

CombatNumbers combatNumbers(const Choices& choices, int silaBonus, int obratnostBonus)
{
    CombatNumbers combat;
    combat.melee = meleeRow(choices.race, choices.melee, silaBonus);
    combat.ranged1 = rangedRow(choices.race, choices.ranged1, obratnostBonus);
    combat.ranged2 = rangedRow(choices.race, choices.ranged2, obratnostBonus);
    combat.defenceNumber = defenceNumber(choices, obratnostBonus);
    return combat;
}
