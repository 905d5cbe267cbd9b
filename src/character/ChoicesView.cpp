// SPDX-License-Identifier: GPL-3.0-or-later
#include "character/ChoicesView.h"

#include "rules/EquipmentRules.h"
#include "rules/RulesTables.h"
#include "ui_TForm3.h"

ChoicesView::ChoicesView(Ui::TForm3& form) : m_form(form) {}

void ChoicesView::fillLists()
{
    m_form.ComboBox1->addItems(raceNames());
    m_form.ComboBox2->addItems(professionNames());
    m_form.ComboBox3->addItems(meleeWeaponItems());
    m_form.ComboBox4->addItems(armourItems());
    m_form.ComboBox5->addItems(rangedWeaponItems());
    m_form.ComboBox6->addItems(rangedWeaponItems());
    for (QComboBox* list : {m_form.ComboBox1, m_form.ComboBox2, m_form.ComboBox3, m_form.ComboBox4,
                            m_form.ComboBox5, m_form.ComboBox6})
        list->setCurrentIndex(-1);
}

void ChoicesView::selectFirstItems()
{
    for (QComboBox* list : {m_form.ComboBox1, m_form.ComboBox2, m_form.ComboBox3, m_form.ComboBox4,
                            m_form.ComboBox5, m_form.ComboBox6})
        list->setCurrentIndex(0);
}

Choices ChoicesView::read() const
{
    Choices choices;
    choices.race = m_form.ComboBox1->currentIndex();
    choices.profession = m_form.ComboBox2->currentIndex();
    choices.name = m_form.Edit1->text();
    choices.money = m_form.TrackBar1->value();
    choices.melee = m_form.ComboBox3->currentIndex();
    choices.ranged1 = m_form.ComboBox5->currentIndex();
    choices.ranged2 = m_form.ComboBox6->currentIndex();
    choices.armour = m_form.ComboBox4->currentIndex();
    choices.shield = m_form.CheckBox1->isChecked();
    choices.primaryRow = m_form.RadioButton2->isChecked()   ? 1
                         : m_form.RadioButton3->isChecked() ? 2
                                                            : 0;
    return choices;
}

void ChoicesView::resetEquipment()
{
    for (QComboBox* list : {m_form.ComboBox3, m_form.ComboBox4, m_form.ComboBox5, m_form.ComboBox6})
        list->setCurrentIndex(0);
}

void ChoicesView::applyProfession()
{
    const int profession = m_form.ComboBox2->currentIndex();
    m_form.ComboBox4->setEnabled(EquipmentRules::professionMayWearArmour(profession));
    if (EquipmentRules::professionMayCarryShield(profession)) {
        m_form.CheckBox1->setEnabled(true);
    } else {
        m_form.CheckBox1->setChecked(false);
        m_form.CheckBox1->setEnabled(false);
    }
}

void ChoicesView::applyHands()
{
    if (EquipmentRules::meleeTakesBothHands(m_form.ComboBox3->currentIndex())) {
        m_form.CheckBox1->setChecked(false);
        m_form.CheckBox1->setEnabled(false);
    } else {
        m_form.CheckBox1->setEnabled(true);
    }
}

bool ChoicesView::meleePermitted() const
{
    return EquipmentRules::meleePermitted(m_form.ComboBox2->currentIndex(),
                                          m_form.ComboBox3->currentIndex());
}

bool ChoicesView::armourPermitted() const
{
    return EquipmentRules::armourPermitted(m_form.ComboBox2->currentIndex(),
                                           m_form.ComboBox4->currentIndex());
}

bool ChoicesView::rangedPermitted(const QComboBox* list) const
{
    return EquipmentRules::rangedPermitted(m_form.ComboBox1->currentIndex(),
                                           m_form.ComboBox2->currentIndex(), list->currentIndex());
}
