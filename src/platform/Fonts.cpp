// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Fonts.h"

#include <QFont>
#include <QWidget>

#include <cmath>

namespace Fonts {

void installSubstitutions()
{
    const QStringList sans = {QStringLiteral("Liberation Sans"), QStringLiteral("Arial"),
                              QStringLiteral("Helvetica"), QStringLiteral("DejaVu Sans")};
    const QStringList mono = {QStringLiteral("Liberation Mono"), QStringLiteral("Courier New"),
                              QStringLiteral("DejaVu Sans Mono")};
    QFont::insertSubstitutions(QStringLiteral("MS Sans Serif"), sans);
    QFont::insertSubstitutions(QStringLiteral("Arial CE"), sans);
    // The weapon rows' names must fit their column; the narrow face of the same family does.
    QFont::insertSubstitutions(
        QStringLiteral("Arial Narrow"),
        {QStringLiteral("Liberation Sans Narrow"), QStringLiteral("DejaVu Sans Condensed")});
    QFont::insertSubstitutions(QStringLiteral("Courier New CE"), mono);
}

int pixelSizeForPoints(int points)
{
    switch (points) {
    case 8:
        return 11;
    case 9:
        return 12;
    case 10:
        return 13;
    case 12:
        return 16;
    case 14:
        return 19;
    default:
        return int(std::lround(points * 96.0 / 72.0));
    }
}

QFont completeFont(const QFont& requested)
{
    // A font made from nothing but its family holds the plain defaults, not the application's.
    QFont font(requested.family());
    if (requested.pointSize() > 0)
        font.setPixelSize(pixelSizeForPoints(requested.pointSize()));
    else if (requested.pixelSize() > 0)
        font.setPixelSize(requested.pixelSize());
    if (requested.resolveMask() & QFont::WeightResolved)
        font.setWeight(requested.weight());
    if (requested.resolveMask() & QFont::StyleResolved)
        font.setItalic(requested.italic());
    font.setResolveMask(QFont::AllPropertiesResolved);
    return font;
}

void applyPixelSizes(QWidget* window)
{
    // The window's font is complete, so its children inherit nothing from the desktop's font
    // (its weight, style name or spacing), which message boxes and the save dialog use.
    window->setFont(completeFont(window->font()));
    auto convert = [](QWidget* widget) {
        QFont font = widget->font();
        if (font.pointSize() > 0) {
            font.setPixelSize(pixelSizeForPoints(font.pointSize()));
            widget->setFont(font);
        }
    };
    const QList<QWidget*> children = window->findChildren<QWidget*>();
    for (QWidget* child : children)
        convert(child);
}

} // namespace Fonts
