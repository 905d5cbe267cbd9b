// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "rules/Character.h"

class QComboBox;
namespace Ui {
class TForm3;
}

// The choice half of the character window: fills the lists, reads the user's choices and
// applies the equipment rules to the controls. The sounds and the refusals stay with the
// window's handlers.
class ChoicesView
{
public:
    explicit ChoicesView(Ui::TForm3& form);

    // The lists' items, with no selection until the creation handler selects the first items.
    void fillLists();
    void selectFirstItems();

    Choices read() const;

    // The weapons, the armour and the shield go back to their first items.
    void resetEquipment();
    // What the chosen profession leaves usable: the armour list and the shield.
    void applyProfession();
    // A weapon for both hands leaves no hand for a shield, whatever the profession.
    void applyHands();

    bool meleePermitted() const;
    bool armourPermitted() const;
    bool rangedPermitted(const QComboBox* list) const;

private:
    Ui::TForm3& m_form;
};
