// SPDX-License-Identifier: GPL-3.0-or-later
#include "EquipmentRules.h"

#include <array>
#include <cstdint>

namespace {

using Positions = std::uint32_t; // one bit per list position

constexpr Positions span(int from, int to)
{
    Positions set = 0;
    for (int position = from; position <= to; ++position)
        set |= Positions(1) << position;
    return set;
}

constexpr Positions position(int p)
{
    return span(p, p);
}

constexpr int kRaces = 7;
constexpr int kProfessions = 5;
constexpr int kMelee = 28;
constexpr int kArmour = 8;
constexpr int kRanged = 15;

// By profession: Válečník, Hraničář, Alchymista, Kouzelník, Zloděj.
constexpr std::array<Positions, kProfessions> kMeleeAllowed = {
    span(0, 27),
    span(0, 8) | span(13, 20),
    span(0, 4) | position(13),
    span(0, 4) | position(13),
    span(0, 8) | span(13, 20),
};

constexpr std::array<Positions, kProfessions> kArmourAllowed = {
    span(0, 7), span(0, 5), span(0, 4), span(0, 0), span(0, 3),
};

constexpr std::array<Positions, kProfessions> kRangedAllowedByProfession = {
    span(0, 14),
    span(0, 14) & ~position(4),
    span(0, 14) & ~position(4),
    span(0, 14) & ~span(1, 5),
    span(0, 14) & ~position(4),
};

// By race: Hobit, Kudůk, Trpaslík, Elf, Člověk, Barbar, Kroll. The small folk cannot draw the
// long bow or span the heavy crossbow.
constexpr Positions kSmallFolk = span(0, 14) & ~position(2) & ~position(4);
constexpr std::array<Positions, kRaces> kRangedAllowedByRace = {
    kSmallFolk, kSmallFolk, kSmallFolk, span(0, 14), span(0, 14), span(0, 14), span(0, 14),
};

bool inRange(int index, int count)
{
    return index >= 0 && index < count;
}

bool contains(Positions set, int p)
{
    return (set >> p) & 1u;
}

} // namespace

namespace EquipmentRules {

bool meleeTakesBothHands(int meleePosition)
{
    return meleePosition >= 13 && meleePosition < kMelee;
}

bool meleePermitted(int profession, int meleePosition)
{
    if (meleePosition == 0)
        return true;
    return inRange(profession, kProfessions) && inRange(meleePosition, kMelee) &&
           contains(kMeleeAllowed[profession], meleePosition);
}

bool armourPermitted(int profession, int armourPosition)
{
    if (armourPosition == 0)
        return true;
    return inRange(profession, kProfessions) && inRange(armourPosition, kArmour) &&
           contains(kArmourAllowed[profession], armourPosition);
}

bool rangedPermitted(int race, int profession, int rangedPosition)
{
    if (rangedPosition == 0)
        return true;
    return inRange(race, kRaces) && inRange(profession, kProfessions) &&
           inRange(rangedPosition, kRanged) &&
           contains(kRangedAllowedByRace[race], rangedPosition) &&
           contains(kRangedAllowedByProfession[profession], rangedPosition);
}

bool professionMayWearArmour(int profession)
{
    return profession != 3;
}

bool professionMayCarryShield(int profession)
{
    return profession == 0 || profession == 1;
}

} // namespace EquipmentRules
