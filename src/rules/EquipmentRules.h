// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Which equipment a race and a profession may choose, by list positions. The character window's
// change handlers are the only place these rules are enforced; the generation trusts the lists.
// An index outside its list (a list without a selection) permits nothing but position 0.
namespace EquipmentRules {

// Melee positions 13 to 27 are two-handed weapons or pairs of weapons: no hand is left for a
// shield.
bool meleeTakesBothHands(int meleePosition);

bool meleePermitted(int profession, int meleePosition);
bool armourPermitted(int profession, int armourPosition);
// A ranged weapon must suit both the race and the profession.
bool rangedPermitted(int race, int profession, int rangedPosition);

// What choosing the profession leaves usable: Kouzelník wears no armour; Alchymista, Kouzelník
// and Zloděj carry no shield.
bool professionMayWearArmour(int profession);
bool professionMayCarryShield(int profession);

} // namespace EquipmentRules
