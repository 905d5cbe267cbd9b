// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "rules/Character.h"

// The three weapon rows and the defence number of a character with these choices and bonuses.
CombatNumbers combatNumbers(const Choices& choices, int silaBonus, int obratnostBonus);
