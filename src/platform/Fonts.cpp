// SPDX-License-Identifier: GPL-3.0-or-later
#include "Fonts.h"

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

void applyPixelSizes(QWidget* window)
{
    auto convert = [](QWidget* widget) {
        QFont font = widget->font();
        if (font.pointSize() > 0) {
            font.setPixelSize(pixelSizeForPoints(font.pointSize()));
            widget->setFont(font);
        }
    };
    convert(window);
    const QList<QWidget*> children = window->findChildren<QWidget*>();
    for (QWidget* child : children)
        convert(child);
}

} // namespace Fonts
