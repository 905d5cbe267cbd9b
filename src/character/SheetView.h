// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "rules/Character.h"

#include <QString>

#include <array>
#include <vector>

class QLabel;
class QWidget;
namespace Ui {
class TForm3;
}

// One sheet field of the weapon rows or the defence number: the label showing it and its text.
struct CombatFieldText
{
    const char* label; // Label44 .. Label63
    QString text;
};

// The weapon rows' fields and the defence number as the sheet shows them, in writing order:
// names, attack numbers, Útoč., OZ, defence number, range figures.
std::vector<CombatFieldText> combatFieldTexts(const CombatNumbers& combat);

// The sheet half of the character window: writes a generated character into the sheet's
// fields, with their colours and the names assistive tools read, and reads the fields back for
// the exports, which take the sheet as the user sees it.
class SheetView
{
public:
    SheetView(QWidget& window, Ui::TForm3& form);

    // Once the form is set up: the fields get their names.
    void prepare();
    // Before the window is first shown or a field first written (measuring lays out every
    // caption's text, so it is not done at start-up): captions grow with their text. Once;
    // later calls do nothing.
    void fitCaptions();

    void writeIdentity(const QString& name, const QString& raceAndProfession);
    void write(const SheetTexts& sheet);
    void write(const CombatNumbers& combat);
    SheetTexts read() const;

    // Tells a screen reader that the sheet holds a new character; the focus stays on the
    // command, so nothing else would.
    void announceNewCharacter();

private:
    std::array<QLabel*, AttributeCount> attributeFields() const;
    void setField(QLabel* field, const QString& text);
    void setFieldColor(QLabel* field, FieldColor color);

    QWidget& m_window;
    Ui::TForm3& m_form;
    bool m_captionsFitted = false;
};
