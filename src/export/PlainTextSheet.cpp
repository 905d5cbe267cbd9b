// SPDX-License-Identifier: GPL-3.0-or-later
#include "export/PlainTextSheet.h"

#include "files/Cp1250.h"

namespace {

// A line made of its fixed text, a value and the fixed text after it. A control character in
// the value becomes a space, so the sheet keeps its lines whatever the value holds.
QString withValue(QStringView before, QStringView value, QStringView after = {})
{
    QString line = before.toString();
    for (const QChar c : value)
        line += c.unicode() < 0x20 || c.unicode() == 0x7F ? QChar(u' ') : c;
    line += after;
    return line;
}

} // namespace

namespace PlainTextSheet {

// The 22 lines without line ends.
static QStringList lines(const SheetTexts& sheet, int money)
{
    const auto attribute = [&sheet](Attribute a) { return QStringView(sheet.attributes[a].text); };
    const QString none;

    return {
        QStringLiteral("OSOBNÍ DENÍK"),
        none,
        withValue(u"Jméno: ", sheet.name),
        withValue(u"Rasa a povolání: ", sheet.raceAndProfession),
        none,
        withValue(u"Životy: ", sheet.hitPoints),
        withValue(u"Magy:   ", sheet.magicPoints),
        none,
        withValue(u"Síla:        ", attribute(Sila)),
        withValue(u"Obratnost:   ", attribute(Obratnost)),
        withValue(u"Odolnost:    ", attribute(Odolnost)),
        withValue(u"Inteligence: ", attribute(Inteligence)),
        withValue(u"Charisma:    ", attribute(Charisma)),
        withValue(u"Velikost:    ", sheet.size),
        none,
        withValue(u"Postřeh (objekty): ", sheet.perceptionObjects, u" %"),
        withValue(u"Postřeh (mech.):   ", sheet.perceptionMechanisms, u" %"),
        none,
        withValue(u"PENÍZE: Zlaťáky:    ", QString::number(money)),
        QStringLiteral("        Stříbrňáky: 0"),
        QStringLiteral("        Měďáky:     0"),
        QString(56, u'-'),
    };
}

QByteArray bytes(const SheetTexts& sheet, int money)
{
    return Cp1250::encodeLines(lines(sheet, money));
}

} // namespace PlainTextSheet
