// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <array>

// What the user chose in the character window, by list positions.
struct Choices
{
    int race = 0;       // 0 Hobit .. 6 Kroll
    int profession = 0; // 0 Válečník .. 4 Zloděj
    QString name;
    int money = 0;
    int melee = 0;   // 0..27
    int ranged1 = 0; // 0..14, 0 = no ranged weapon
    int ranged2 = 0; // 0..14
    int armour = 0;  // 0..7
    bool shield = false;
    int primaryRow = 0; // 0 melee, 1 first ranged, 2 second ranged
};

enum Attribute { Sila, Obratnost, Odolnost, Inteligence, Charisma, AttributeCount };

// The rolled and derived values of one character.
struct Character
{
    std::array<int, AttributeCount> values{};
    std::array<int, AttributeCount> bonuses{};
    int hitPoints = 0;
    int magicPoints = 0;
    QString sizeClass;
    int perceptionObjects = 0;
    int perceptionMechanisms = 0;
};

// One weapon row of the sheet. The melee row uses defence (OZ); the ranged rows the ranges.
struct WeaponRow
{
    QString sheetName;    // padded: 18 characters for melee, 10 for ranged
    int attackNumber = 0; // ÚČ
    int attack = 0;       // Útoč.
    int defence = 0;      // OZ
    int rangeShort = 0;   // m.
    int rangeMedium = 0;  // s.
    int rangeLong = 0;    // d.
};

// The generation results: what the HTML sheet writes for the weapons and the defence number.
// Before the first generation the numbers are 0 and the names empty.
struct CombatNumbers
{
    WeaponRow melee;
    WeaponRow ranged1;
    WeaponRow ranged2;
    int defenceNumber = 0;
};

// The colours an attribute field is drawn in; the window maps them to real colours.
enum class FieldColor {
    WindowText, // the system's window-text colour
    Red,        // FF0000 hex
    Green,      // 008000 hex
};

// The text of one sheet field, with its colour.
struct FieldText
{
    QString text;
    FieldColor color = FieldColor::WindowText;
};

// The sheet fields' texts as the character window shows them and the exporters read them.
struct SheetTexts
{
    QString name;                                     // Label7
    QString raceAndProfession;                        // Label10
    std::array<FieldText, AttributeCount> attributes; // Label11, 16, 17, 18, 19
    QString hitPoints;                                // Label21
    QString magicPoints;                              // Label22
    QString size;                                     // Label24
    QString perceptionObjects;                        // Label29
    QString perceptionMechanisms;                     // Label30
    QString money;                                    // Label36, "150 zl"
};

// Everything one press of "Generuj!" produces.
struct GenerationResult
{
    Character character;
    SheetTexts sheet;
    CombatNumbers combat;
};
