// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Character.h"

#include <QString>

#include <vector>

// The three weapon rows and the defence number of a character with these choices and bonuses.
CombatNumbers combatNumbers(const Choices& choices, int silaBonus, int obratnostBonus);

// One sheet field of the weapon rows or the defence number: its label and its text.
struct CombatFieldText
{
    const char* label; // Label44 .. Label63
    QString text;
};

// The weapon rows' fields and the defence number as the sheet writes them, in writing order:
// names, attack numbers, Útoč., OZ, defence number, range figures.
std::vector<CombatFieldText> combatFieldTexts(const CombatNumbers& combat);
