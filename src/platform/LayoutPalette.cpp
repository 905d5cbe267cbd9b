// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/LayoutPalette.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QComboBox>
#include <QEvent>
#include <QIcon>
#include <QPixmap>
#include <QStyle>
#include <QStyleOption>
#include <QWidget>

namespace LayoutPalette {

QPalette light()
{
    const QColor face(0xEF, 0xEF, 0xEF);
    const QColor black(0x00, 0x00, 0x00);
    const QColor white(0xFF, 0xFF, 0xFF);
    const QColor disabledText(0xBE, 0xBE, 0xBE);
    QColor placeholder = black;
    placeholder.setAlpha(128);

    QPalette palette;
    const auto all = [&palette](QPalette::ColorRole role, const QColor& color) {
        palette.setColor(QPalette::All, role, color);
    };
    all(QPalette::Window, face);
    all(QPalette::WindowText, black);
    all(QPalette::Base, white);
    all(QPalette::AlternateBase, QColor(0xF7, 0xF7, 0xF7));
    all(QPalette::Text, black);
    all(QPalette::PlaceholderText, placeholder);
    all(QPalette::Button, face);
    all(QPalette::ButtonText, black);
    all(QPalette::BrightText, white);
    all(QPalette::Light, white);
    all(QPalette::Midlight, QColor(0xCA, 0xCA, 0xCA));
    all(QPalette::Mid, QColor(0xB8, 0xB8, 0xB8));
    all(QPalette::Dark, QColor(0x9F, 0x9F, 0x9F));
    all(QPalette::Shadow, QColor(0x76, 0x76, 0x76));
    // Dark enough that selected text stays readable (5.4:1 against white).
    all(QPalette::Highlight, QColor(0x2B, 0x6C, 0xB0));
    all(QPalette::HighlightedText, white);
    all(QPalette::Link, QColor(0x00, 0x00, 0xFF));
    all(QPalette::LinkVisited, QColor(0xFF, 0x00, 0xFF));
    all(QPalette::ToolTipBase, QColor(0xFF, 0xFF, 0xDC));
    all(QPalette::ToolTipText, black);

    palette.setColor(QPalette::Disabled, QPalette::WindowText, disabledText);
    palette.setColor(QPalette::Disabled, QPalette::Text, disabledText);
    palette.setColor(QPalette::Disabled, QPalette::ButtonText, disabledText);
    palette.setColor(QPalette::Disabled, QPalette::Base, face);
    palette.setColor(QPalette::Disabled, QPalette::Highlight, QColor(0x91, 0x91, 0x91));
    palette.setColor(QPalette::Disabled, QPalette::Dark, QColor(0xBE, 0xBE, 0xBE));
    palette.setColor(QPalette::Disabled, QPalette::Shadow, QColor(0xB1, 0xB1, 0xB1));

    // Roles newer than the oldest Qt we build with (Accent, since Qt 6.6) are not named above;
    // they take the group's highlight, as Qt derives the accent from it, so that no role is
    // left to the desktop on any Qt. NoRole is no colour; since Qt 6.6 setting it would mark
    // Accent as set, whose flag it shares.
    for (int group = 0; group < QPalette::NColorGroups; ++group) {
        const auto colorGroup = QPalette::ColorGroup(group);
        for (int role = 0; role < QPalette::NColorRoles; ++role) {
            const auto colorRole = QPalette::ColorRole(role);
            if (colorRole != QPalette::NoRole && !palette.isBrushSet(colorGroup, colorRole))
                palette.setColor(colorGroup, colorRole,
                                 palette.color(colorGroup, QPalette::Highlight));
        }
    }
    return palette;
}

namespace {

// A disabled button's glyph is faded towards the window's face. Left to itself the icon fades
// against the desktop's palette, so a dark desktop would tint our greyed glyphs dark; the faded
// glyphs are made here, against the light face, once the form has set the icons.
void fadeDisabledGlyphs(QWidget* window, const QPalette& palette)
{
    QStyleOption option;
    option.palette = palette;
    const QList<QAbstractButton*> buttons = window->findChildren<QAbstractButton*>();
    for (QAbstractButton* button : buttons) {
        QIcon icon = button->icon();
        if (icon.isNull())
            continue;
        const QList<QSize> sizes = icon.availableSizes(QIcon::Normal, QIcon::Off);
        for (const QSize& size : sizes) {
            const QPixmap normal = icon.pixmap(size, QIcon::Normal, QIcon::Off);
            icon.addPixmap(button->style()->generatedIconPixmap(QIcon::Disabled, normal, &option),
                           QIcon::Disabled, QIcon::Off);
        }
        button->setIcon(icon);
    }
}

// A list's drop-down is a window of its own that the style may draw as a menu, taking every
// colour its view does not set itself from the desktop's menus; so the view gets the palette
// outright, and so does the drop-down window around it. That is done when the list is polished,
// before it can be shown: the drop-down is made then, not at the window's creation, where the
// drop-downs of all the lists would cost the start-up.
class DropDownLightener : public QObject
{
public:
    DropDownLightener(QComboBox* list, const QPalette& palette) : QObject(list), m_palette(palette)
    {
        if (list->testAttribute(Qt::WA_WState_Polished))
            lighten(list);
        else
            list->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Polish) {
            watched->removeEventFilter(this);
            lighten(static_cast<QComboBox*>(watched));
        }
        return false;
    }

private:
    void lighten(QComboBox* list)
    {
        list->view()->setPalette(m_palette);
        list->view()->window()->setPalette(m_palette);
    }

    QPalette m_palette;
};

void lightenDropDowns(QWidget* window, const QPalette& palette)
{
    const QList<QComboBox*> lists = window->findChildren<QComboBox*>();
    for (QComboBox* list : lists)
        new DropDownLightener(list, palette);
}

} // namespace

void apply(QWidget* window)
{
    const QPalette palette = light();
    window->setPalette(palette);
    fadeDisabledGlyphs(window, palette);
    lightenDropDowns(window, palette);
}

} // namespace LayoutPalette
