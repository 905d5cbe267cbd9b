// SPDX-License-Identifier: GPL-3.0-or-later
#include "rules/EquipmentRules.h"

#include "rules/RulesTables.h"

#include <array>
#include <string_view>

namespace {

// One row per list position. A permission string holds one letter per profession, in the order
// Válečník, Hraničář, Alchymista, Kouzelník, Zloděj, or per race, Hobit, Kudůk, Trpaslík, Elf,
// Člověk, Barbar, Kroll: 'y' permits the position, 'n' refuses it.
using Permissions = std::string_view;

enum class Hands { None, One, Both };

struct MeleeRule
{
    Hands hands;
    Permissions professions;
};

// clang-format off
constexpr std::array<MeleeRule, MeleeWeaponCount> kMelee = {{
    {Hands::None, "yyyyy"}, // 0  no weapon
    {Hands::One,  "yyyyy"}, // 1
    {Hands::One,  "yyyyy"}, // 2
    {Hands::One,  "yyyyy"}, // 3
    {Hands::One,  "yyyyy"}, // 4
    {Hands::One,  "yynny"}, // 5
    {Hands::One,  "yynny"}, // 6
    {Hands::One,  "yynny"}, // 7
    {Hands::One,  "yynny"}, // 8
    {Hands::One,  "ynnnn"}, // 9
    {Hands::One,  "ynnnn"}, // 10
    {Hands::One,  "ynnnn"}, // 11
    {Hands::One,  "ynnnn"}, // 12
    // Two-handed weapons and pairs of weapons: no hand is left for a shield.
    {Hands::Both, "yyyyy"}, // 13
    {Hands::Both, "yynny"}, // 14
    {Hands::Both, "yynny"}, // 15
    {Hands::Both, "yynny"}, // 16
    {Hands::Both, "yynny"}, // 17
    {Hands::Both, "yynny"}, // 18
    {Hands::Both, "yynny"}, // 19
    {Hands::Both, "yynny"}, // 20
    {Hands::Both, "ynnnn"}, // 21
    {Hands::Both, "ynnnn"}, // 22
    {Hands::Both, "ynnnn"}, // 23
    {Hands::Both, "ynnnn"}, // 24
    {Hands::Both, "ynnnn"}, // 25
    {Hands::Both, "ynnnn"}, // 26
    {Hands::Both, "ynnnn"}, // 27
}};

// By profession.
constexpr std::array<Permissions, ArmourCount> kArmour = {
    "yyyyy", // 0  no armour
    "yyyny", // 1
    "yyyny", // 2
    "yyyny", // 3
    "yyynn", // 4
    "yynnn", // 5
    "ynnnn", // 6
    "ynnnn", // 7
};

// A ranged weapon must suit both the race and the profession. The small folk (Hobit, Kudůk,
// Trpaslík) cannot draw the long bow (2) or span the heavy crossbow (4).
struct RangedRule
{
    Permissions races;
    Permissions professions;
};

constexpr std::array<RangedRule, RangedWeaponCount> kRanged = {{
    {"yyyyyyy", "yyyyy"}, // 0  no weapon
    {"yyyyyyy", "yyyny"}, // 1
    {"nnnyyyy", "yyyny"}, // 2
    {"yyyyyyy", "yyyny"}, // 3
    {"nnnyyyy", "ynnnn"}, // 4
    {"yyyyyyy", "yyyny"}, // 5
    {"yyyyyyy", "yyyyy"}, // 6
    {"yyyyyyy", "yyyyy"}, // 7
    {"yyyyyyy", "yyyyy"}, // 8
    {"yyyyyyy", "yyyyy"}, // 9
    {"yyyyyyy", "yyyyy"}, // 10
    {"yyyyyyy", "yyyyy"}, // 11
    {"yyyyyyy", "yyyyy"}, // 12
    {"yyyyyyy", "yyyyy"}, // 13
    {"yyyyyyy", "yyyyy"}, // 14
}};
// clang-format on

// By profession: what choosing it leaves usable at all.
constexpr Permissions kWearsArmour = "yyyny";
constexpr Permissions kCarriesShield = "yynnn";

constexpr bool wellFormed(Permissions permissions, std::size_t columns)
{
    if (permissions.size() != columns)
        return false;
    for (const char letter : permissions) {
        if (letter != 'y' && letter != 'n')
            return false;
    }
    return true;
}

constexpr bool tablesWellFormed()
{
    for (const MeleeRule& rule : kMelee) {
        if (!wellFormed(rule.professions, ProfessionCount))
            return false;
    }
    for (const Permissions permissions : kArmour) {
        if (!wellFormed(permissions, ProfessionCount))
            return false;
    }
    for (const RangedRule& rule : kRanged) {
        if (!wellFormed(rule.races, RaceCount) || !wellFormed(rule.professions, ProfessionCount))
            return false;
    }
    return wellFormed(kWearsArmour, ProfessionCount) && wellFormed(kCarriesShield, ProfessionCount);
}
static_assert(tablesWellFormed(), "every permission needs one 'y' or 'n' per race or profession");

// An index outside its table (a list without a selection) permits nothing.
bool permits(Permissions permissions, int index)
{
    return index >= 0 && index < int(permissions.size()) && permissions[index] == 'y';
}

bool inRange(int index, int count)
{
    return index >= 0 && index < count;
}

} // namespace

namespace EquipmentRules {

bool meleeTakesBothHands(int meleePosition)
{
    return inRange(meleePosition, MeleeWeaponCount) && kMelee[meleePosition].hands == Hands::Both;
}

bool meleePermitted(int profession, int meleePosition)
{
    if (meleePosition == 0)
        return true;
    return inRange(meleePosition, MeleeWeaponCount) &&
           permits(kMelee[meleePosition].professions, profession);
}

bool armourPermitted(int profession, int armourPosition)
{
    if (armourPosition == 0)
        return true;
    return inRange(armourPosition, ArmourCount) && permits(kArmour[armourPosition], profession);
}

bool rangedPermitted(int race, int profession, int rangedPosition)
{
    if (rangedPosition == 0)
        return true;
    return inRange(rangedPosition, RangedWeaponCount) &&
           permits(kRanged[rangedPosition].races, race) &&
           permits(kRanged[rangedPosition].professions, profession);
}

bool professionMayWearArmour(int profession)
{
    return permits(kWearsArmour, profession);
}

bool professionMayCarryShield(int profession)
{
    return permits(kCarriesShield, profession);
}

} // namespace EquipmentRules
