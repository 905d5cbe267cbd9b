// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "rules/Character.h"
#include "rules/Random.h"
#include "rules/RulesTables.h"

#include <QString>

// Rolling a character and deriving its sheet. Everything here is pure: the seed comes in, the
// same seed and choices always give the same character.

// The five attributes: the race's roll of all five, then the profession's two main attributes
// rolled again (replacing the race's roll) and corrected by the race. Exactly seven draws.
AttributeValues rollAttributes(int race, int profession, Random& random);

// Bonuses, hit points, magic points, size class and perception chances of the given values.
Character deriveCharacter(int race, int profession, const AttributeValues& values);

Character rollCharacter(int race, int profession, Random& random);

// "16 / +2", "11 / 0", "8 / -1"
QString attributeText(int value, int bonus);
// Red up to 9, the window-text colour from 10 to 12, green from 13.
FieldColor attributeColor(int value);

// "150 zl"
QString moneyText(int money);

SheetTexts sheetTexts(const Choices& choices, const Character& character);

// One press of "Generuj!": seeds a fresh generator, rolls, derives, and computes the combat
// numbers.
GenerationResult generateCharacter(const Choices& choices, quint32 seed);
