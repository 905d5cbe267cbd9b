// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Fonts.h"

#include <QChildEvent>
#include <QEvent>
#include <QFont>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QHash>
#include <QTextLayout>
#include <QWidget>

#include <cmath>

#ifdef KARTAK_HAVE_FONTCONFIG
#include <fontconfig/fontconfig.h>
#endif

namespace Fonts {

namespace {

// The faces the forms name, each with the free faces that stand in for it, best first.
QHash<QString, QStringList> standIns()
{
    const QStringList sans = {QStringLiteral("Liberation Sans"), QStringLiteral("Arial"),
                              QStringLiteral("Helvetica"), QStringLiteral("DejaVu Sans")};
    const QStringList mono = {QStringLiteral("Liberation Mono"), QStringLiteral("Courier New"),
                              QStringLiteral("DejaVu Sans Mono")};
    return {{QStringLiteral("MS Sans Serif"), sans},
            {QStringLiteral("Arial"), QStringList{QStringLiteral("Arial")} + sans},
            {QStringLiteral("Arial CE"), sans},
            {QStringLiteral("Courier New CE"), mono}};
}

// Each named face with the first of its stand-ins that is installed.
QHash<QString, QString>& installedStandIns()
{
    static QHash<QString, QString> installed;
    return installed;
}

// The font a widget's own font is drawn in: the installed stand-in of the face the form names,
// at the pixel size of its point size; the narrow sans face as the sans face narrowed.
QFont drawnFont(QFont font)
{
    // Few systems have a narrow sans face (fonts-liberation 2 has none), so the narrow face is
    // the form's sans face narrowed by Qt, the same wherever the program runs.
    if (font.family() == QLatin1String("Arial Narrow")) {
        font.setFamily(installedFamily(QStringLiteral("Arial CE")));
        font.setStretch(NarrowStretch);
    } else {
        const QString family = installedFamily(font.family());
        if (family != font.family())
            font.setFamily(family);
    }
    if (font.pointSize() > 0)
        font.setPixelSize(pixelSizeForPoints(font.pointSize()));
    return font;
}

bool sameFont(const QFont& a, const QFont& b)
{
    return a == b && a.resolveMask() == b.resolveMask();
}

// Watches a window and every widget in it, from before the form is set up: a font set in it
// never reaches the widget as the form names it, but at once as it is drawn (the window's own
// font complete, every other one in the stand-in face at its pixel size). Text edits lay out
// their whole text at every font change, each new face and size costs a lookup among all the
// system's fonts, and a face that is not installed is first looked for in vain.
class DrawnFonts : public QObject
{
public:
    explicit DrawnFonts(QWidget* window) : QObject(window), m_window(window)
    {
        window->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::ChildAdded) {
            QObject* child = static_cast<QChildEvent*>(event)->child();
            if (child->isWidgetType())
                child->installEventFilter(this);
        } else if (event->type() == QEvent::FontChange && !m_settling) {
            auto* widget = static_cast<QWidget*>(watched);
            const QFont font = widget->font();
            const QFont drawn = widget == m_window ? completeFont(font) : drawnFont(font);
            if (sameFont(font, drawn))
                return false;
            // A widget that inherited the font follows once the one that set it is drawn.
            if (widget == m_window || widget->testAttribute(Qt::WA_SetFont)) {
                m_settling = true;
                widget->setFont(drawn);
                m_settling = false;
            }
            return true;
        }
        return false;
    }

private:
    QWidget* m_window;
    bool m_settling = false;
};

// Whether the system has a face of the family. Where the fonts come from fontconfig, it is asked
// itself: Qt's font database may still be filling on another thread at start-up.
bool isInstalled(const QString& family)
{
#ifdef KARTAK_HAVE_FONTCONFIG
    const QByteArray name = family.toUtf8();
    FcPattern* pattern = FcPatternBuild(nullptr, FC_FAMILY, FcTypeString,
                                        reinterpret_cast<const FcChar8*>(name.constData()),
                                        static_cast<char*>(nullptr));
    FcObjectSet* properties = FcObjectSetBuild(FC_FAMILY, static_cast<char*>(nullptr));
    FcFontSet* fonts = pattern && properties ? FcFontList(nullptr, pattern, properties) : nullptr;
    const bool installed = fonts && fonts->nfont > 0;
    if (fonts)
        FcFontSetDestroy(fonts);
    if (properties)
        FcObjectSetDestroy(properties);
    if (pattern)
        FcPatternDestroy(pattern);
    return installed;
#else
    return QFontDatabase::families().contains(family, Qt::CaseInsensitive);
#endif
}

} // namespace

void useDrawnFonts(QWidget* window)
{
    new DrawnFonts(window);
}

void installSubstitutions()
{
    const QHash<QString, QStringList> faces = standIns();
    for (auto it = faces.cbegin(); it != faces.cend(); ++it) {
        // For a font that names the face itself.
        QFont::insertSubstitutions(it.key(), it.value());
        for (const QString& standIn : it.value()) {
            if (isInstalled(standIn)) {
                installedStandIns().insert(it.key(), standIn);
                break;
            }
        }
    }
}

QString installedFamily(const QString& family)
{
    // A face that is not installed is looked for at every font it is asked for in, first
    // among all the system's fonts and then as a substitution: naming the stand-in that will
    // be drawn spares that search.
    return installedStandIns().value(family, family);
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
    QFont font(installedFamily(requested.family()));
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

void loadDesktopFont()
{
    QTextLayout line(QStringLiteral("Karták"), QGuiApplication::font());
    line.beginLayout();
    line.createLine();
    line.endLayout();
}

QFont windowFont()
{
    return completeFont(QFont(QStringLiteral("MS Sans Serif"), 8));
}

void applyPixelSizes(QWidget* window)
{
    // The window's font is complete, so its children inherit nothing from the desktop's font
    // (its weight, style name or spacing), which message boxes and the save dialog use.
    window->setFont(completeFont(window->font()));
    auto convert = [](QWidget* widget) {
        const QFont font = widget->font();
        const QFont drawn = drawnFont(font);
        if (drawn != font)
            widget->setFont(drawn);
    };
    const QList<QWidget*> children = window->findChildren<QWidget*>();
    for (QWidget* child : children)
        convert(child);
}

} // namespace Fonts
