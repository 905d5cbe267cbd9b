// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "rules/Character.h"

#include <QByteArray>
#include <QPageSize>
#include <QString>

class QPainter;

// The character sheet as one printed page, designed for the gaming table: the window's sheet
// in its two columns with every value the HTML sheet holds, in type readable at arm's length,
// and room for what players write in pencil during play (level, experience, equipment, notes).
namespace PrintedSheet {

// The equipment chosen at the generation the sheet shows; the lists may have changed since.
struct Equipment
{
    QString armour; // the armour list's item, "Kroužková (5)" or "žádná"
    bool shield = false;
};

// What one page is drawn from: the same sources as the HTML sheet, plus the equipment.
struct Input
{
    SheetTexts sheet;
    CombatNumbers combat;
    int money = 0;
    QString versionText;
    Equipment equipment;
};

// Draws the page onto the painter's device (a printer or a PDF writer), filling its paint
// area; fonts take their point sizes from the device's resolution.
void paint(QPainter& painter, const Input& input);

// The page as a one-page PDF document of the given paper size, built in memory.
QByteArray pdf(const Input& input, QPageSize::PageSizeId paper = QPageSize::A4);

// The page's margins on every side, in millimetres.
inline constexpr qreal MarginMillimetres = 15;

} // namespace PrintedSheet
