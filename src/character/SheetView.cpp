// SPDX-License-Identifier: GPL-3.0-or-later
#include "character/SheetView.h"

#include "platform/Accessibility.h"
#include "ui_TForm3.h"

#include <QLabel>

#include <utility>

namespace {

// A weapon row's field stands under its column's header, not beside a caption, so it tells
// assistive tools what it holds ("Útočné číslo 5"); the form gives each such field its pattern.
// The fields beside a caption are labelled by it instead.
void nameSheetField(QLabel* field)
{
    const QString pattern = field->property("accessibleNameFormat").toString();
    if (!pattern.isEmpty())
        field->setAccessibleName(pattern.arg(field->text().trimmed()));
}

} // namespace

std::vector<CombatFieldText> combatFieldTexts(const CombatNumbers& combat)
{
    const auto number = [](int value) { return QString::number(value); };
    return {
        {"Label44", combat.melee.sheetName},
        {"Label50", combat.ranged1.sheetName},
        {"Label56", combat.ranged2.sheetName},
        {"Label45", number(combat.melee.attackNumber)},
        {"Label51", number(combat.ranged1.attackNumber)},
        {"Label57", number(combat.ranged2.attackNumber)},
        {"Label46", number(combat.melee.attack)},
        {"Label52", number(combat.ranged1.attack)},
        {"Label58", number(combat.ranged2.attack)},
        {"Label47", number(combat.melee.defence)},
        {"Label63", number(combat.defenceNumber)},
        {"Label53", number(combat.ranged1.rangeShort)},
        {"Label54", number(combat.ranged1.rangeMedium)},
        {"Label55", number(combat.ranged1.rangeLong)},
        {"Label59", number(combat.ranged2.rangeShort)},
        {"Label60", number(combat.ranged2.rangeMedium)},
        {"Label61", number(combat.ranged2.rangeLong)},
    };
}

SheetView::SheetView(QWidget& window, Ui::TForm3& form) : m_window(window), m_form(form) {}

void SheetView::prepare()
{
    const QList<QLabel*> labels = m_window.findChildren<QLabel*>();
    for (QLabel* label : labels)
        nameSheetField(label);
}

void SheetView::fitCaptions()
{
    if (std::exchange(m_captionsFitted, true))
        return;
    // Labels that are not word-wrapped grow with their text, as the sheet's fields do at every
    // generation, so no caption is ever cut off.
    const QList<QLabel*> labels = m_window.findChildren<QLabel*>();
    for (QLabel* label : labels) {
        if (!label->wordWrap() && !label->text().isEmpty())
            label->resize(label->sizeHint().width(),
                          qMax(label->height(), label->sizeHint().height()));
    }
}

std::array<QLabel*, AttributeCount> SheetView::attributeFields() const
{
    return {m_form.Label11, m_form.Label16, m_form.Label17, m_form.Label18, m_form.Label19};
}

void SheetView::writeIdentity(const QString& name, const QString& raceAndProfession)
{
    setField(m_form.Label7, name);
    setField(m_form.Label10, raceAndProfession);
}

void SheetView::write(const SheetTexts& sheet)
{
    const auto fields = attributeFields();
    for (int i = 0; i < AttributeCount; ++i) {
        setFieldColor(fields[i], sheet.attributes[i].color);
        setField(fields[i], sheet.attributes[i].text);
    }
    setField(m_form.Label21, sheet.hitPoints);
    setField(m_form.Label22, sheet.magicPoints);
    setField(m_form.Label24, sheet.size);
    setField(m_form.Label29, sheet.perceptionObjects);
    setField(m_form.Label30, sheet.perceptionMechanisms);
    setField(m_form.Label36, sheet.money);
}

void SheetView::write(const CombatNumbers& combat)
{
    for (const CombatFieldText& field : combatFieldTexts(combat)) {
        if (auto* label = m_window.findChild<QLabel*>(QLatin1String(field.label)))
            setField(label, field.text);
    }
}

void SheetView::announceNewCharacter()
{
    QStringList who;
    for (const QLabel* field : {m_form.Label7, m_form.Label10}) {
        if (!field->text().isEmpty())
            who << field->text();
    }
    Accessibility::announce(&m_window, QStringLiteral("V osobním deníku je nová postava: ") +
                                           who.join(QStringLiteral(", ")) + QLatin1Char('.'));
}

SheetTexts SheetView::read() const
{
    SheetTexts sheet;
    sheet.name = m_form.Label7->text();
    sheet.raceAndProfession = m_form.Label10->text();
    const auto fields = attributeFields();
    for (int i = 0; i < AttributeCount; ++i)
        sheet.attributes[i].text = fields[i]->text();
    sheet.hitPoints = m_form.Label21->text();
    sheet.magicPoints = m_form.Label22->text();
    sheet.size = m_form.Label24->text();
    sheet.perceptionObjects = m_form.Label29->text();
    sheet.perceptionMechanisms = m_form.Label30->text();
    sheet.money = m_form.Label36->text();
    return sheet;
}

void SheetView::setField(QLabel* field, const QString& text)
{
    fitCaptions();
    field->setText(text);
    field->adjustSize();
    nameSheetField(field);
}

void SheetView::setFieldColor(QLabel* field, FieldColor color)
{
    QPalette palette = field->palette();
    switch (color) {
    case FieldColor::Red:
        palette.setColor(QPalette::WindowText, QColor(0xFF, 0x00, 0x00));
        break;
    case FieldColor::Green:
        palette.setColor(QPalette::WindowText, QColor(0x00, 0x80, 0x00));
        break;
    case FieldColor::WindowText:
        palette.setColor(QPalette::WindowText, m_window.palette().color(QPalette::WindowText));
        break;
    }
    field->setPalette(palette);
}
