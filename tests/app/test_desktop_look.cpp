// SPDX-License-Identifier: GPL-3.0-or-later
// The laid-out windows look the same on any desktop: a dark colour scheme or an unusual desktop
// font changes none of their colours, fonts or pixels. Message boxes, the error box and the save
// dialog follow the desktop instead.
#include "app/Startup.h"
#include "app/TForm1.h"
#include "character/TForm3.h"
#include "character/TForm5.h"
#include "platform/LayoutPalette.h"
#include "platform/MessageBox.h"
#include "platform/RunHandler.h"
#include "platform/SaveDialog.h"
#include "windows/ButtonPanel.h"
#include "windows/TForm2.h"
#include "windows/TForm4.h"
#include "windows/TForm6.h"
#include "windows/TForm7.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QFontInfo>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTextEdit>
#include <QTimer>

#include <cmath>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <stdexcept>

namespace {

// A dark scheme as desktops ship them (the colours of a popular one), every role set.
QPalette darkDesktopPalette()
{
    QPalette palette;
    const auto all = [&palette](QPalette::ColorRole role, QColor color) {
        palette.setColor(QPalette::All, role, color);
    };
    all(QPalette::Window, QColor(0x31, 0x36, 0x3B));
    all(QPalette::WindowText, QColor(0xEF, 0xF0, 0xF1));
    all(QPalette::Base, QColor(0x23, 0x26, 0x29));
    all(QPalette::AlternateBase, QColor(0x31, 0x36, 0x3B));
    all(QPalette::Text, QColor(0xEF, 0xF0, 0xF1));
    all(QPalette::PlaceholderText, QColor(0x7F, 0x82, 0x84));
    all(QPalette::Button, QColor(0x31, 0x36, 0x3B));
    all(QPalette::ButtonText, QColor(0xEF, 0xF0, 0xF1));
    all(QPalette::BrightText, QColor(0xFF, 0xFF, 0xFF));
    all(QPalette::Light, QColor(0x40, 0x46, 0x4C));
    all(QPalette::Midlight, QColor(0x36, 0x3B, 0x40));
    all(QPalette::Mid, QColor(0x24, 0x27, 0x2A));
    all(QPalette::Dark, QColor(0x14, 0x16, 0x17));
    all(QPalette::Shadow, QColor(0x0A, 0x0B, 0x0C));
    all(QPalette::Highlight, QColor(0x3D, 0xAE, 0xE9));
    all(QPalette::HighlightedText, QColor(0xEF, 0xF0, 0xF1));
    all(QPalette::Link, QColor(0x1D, 0x99, 0xF3));
    all(QPalette::LinkVisited, QColor(0x9B, 0x59, 0xB6));
    all(QPalette::ToolTipBase, QColor(0x31, 0x36, 0x3B));
    all(QPalette::ToolTipText, QColor(0xEF, 0xF0, 0xF1));
    palette.setColor(QPalette::Disabled, QPalette::WindowText, QColor(0x6E, 0x71, 0x73));
    palette.setColor(QPalette::Disabled, QPalette::Text, QColor(0x65, 0x68, 0x6A));
    palette.setColor(QPalette::Disabled, QPalette::ButtonText, QColor(0x6E, 0x71, 0x73));
    return palette;
}

// A desktop font unlike the layout's in every attribute a desktop may set.
QFont unusualDesktopFont()
{
    QFont font(QStringLiteral("DejaVu Serif"));
    font.setPointSize(13);
    font.setWeight(QFont::DemiBold);
    font.setItalic(true);
    font.setStyleName(QStringLiteral("Book"));
    font.setLetterSpacing(QFont::PercentageSpacing, 125);
    font.setUnderline(true);
    return font;
}

struct Desktop
{
    QPalette palette;
    QFont font;
};

// The desktop as the test process found it: light, with its ordinary font.
Desktop g_plainDesktop;

Desktop darkDesktop()
{
    return {darkDesktopPalette(), unusualDesktopFont()};
}

void useDesktop(const Desktop& desktop)
{
    QApplication::setPalette(desktop.palette);
    QApplication::setFont(desktop.font);
}

std::unique_ptr<QWidget> makeWindow(const QString& name)
{
    if (name == QLatin1String("TForm1"))
        return std::make_unique<TForm1>();
    if (name == QLatin1String("TForm2"))
        return std::make_unique<TForm2>();
    if (name == QLatin1String("TForm3"))
        return std::make_unique<TForm3>();
    if (name == QLatin1String("TForm4"))
        return std::make_unique<TForm4>();
    if (name == QLatin1String("TForm5"))
        return std::make_unique<TForm5>();
    if (name == QLatin1String("TForm6"))
        return std::make_unique<TForm6>();
    return std::make_unique<TForm7>();
}

const QStringList kWindows = {"TForm1", "TForm2", "TForm3", "TForm4", "TForm5", "TForm6", "TForm7"};

// Relative luminance and contrast ratio as the accessibility guidelines (WCAG 2) define them.
double luminance(const QColor& color)
{
    const auto channel = [](double value) {
        return value <= 0.03928 ? value / 12.92 : std::pow((value + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(color.redF()) + 0.7152 * channel(color.greenF()) +
           0.0722 * channel(color.blueF());
}

double contrast(const QColor& a, const QColor& b)
{
    const double la = luminance(a);
    const double lb = luminance(b);
    return (qMax(la, lb) + 0.05) / (qMin(la, lb) + 0.05);
}

QString hex(const QColor& color)
{
    return color.name(QColor::HexArgb);
}

// Where the layout fixes a control's colours; every other text and background is the theme's,
// which on a laid-out window means the light palette.
struct LayoutColours
{
    QColor text;            // invalid: the theme's text colour
    QColor background;      // invalid: the theme's background colour
    bool onArtwork = false; // lies on a picture, so only its text colour is the window's own
};

const QColor kNavy(0x00, 0x00, 0x80);
const QColor kYellow(0xFF, 0xFF, 0x00);
const QColor kRed(0xFF, 0x00, 0x00);
const QColor kGreen(0x00, 0x80, 0x00);
const QColor kSilver(0xC0, 0xC0, 0xC0);
const QColor kBlack(0x00, 0x00, 0x00);

QHash<QString, LayoutColours> layoutColours()
{
    const QColor buttonFace = LayoutPalette::light().color(QPalette::Button);
    return {
        {"TForm1/Label1", {kNavy, {}}},         {"TForm1/Label3", {kYellow, {}, true}},
        {"TForm1/Label4", {kYellow, {}, true}}, {"TForm2/Memo1", {{}, buttonFace}},
        {"TForm2/Panel1", {{}, kSilver}},       {"TForm3/ComboBox1", {kBlack, {}}},
        {"TForm3/ComboBox2", {kBlack, {}}},     {"TForm3/Edit1", {kBlack, {}}},
        {"TForm3/Label11", {kRed, {}}},         {"TForm3/Label16", {kRed, {}}},
        {"TForm3/Label17", {kRed, {}}},         {"TForm3/Label18", {kRed, {}}},
        {"TForm3/Label19", {kRed, {}}},         {"TForm3/Label37", {kRed, {}}},
        {"TForm3/Label43", {kNavy, {}}},        {"TForm3/Label49", {kNavy, {}}},
        {"TForm5/Label1", {kGreen, {}}},        {"TForm5/Memo2", {kBlack, kSilver}},
    };
}

// The colour roles a control's text and its background are drawn with.
struct Roles
{
    QPalette::ColorRole text;
    QPalette::ColorRole background;
    bool onWindow; // transparent: the background is the window's face behind it
};

std::optional<Roles> rolesOf(const QWidget* widget)
{
    if (qobject_cast<const QLabel*>(widget) || qobject_cast<const QCheckBox*>(widget) ||
        qobject_cast<const QRadioButton*>(widget))
        return Roles{QPalette::WindowText, QPalette::Window, true};
    if (qobject_cast<const QLineEdit*>(widget) || qobject_cast<const QPlainTextEdit*>(widget) ||
        qobject_cast<const QTextEdit*>(widget))
        return Roles{QPalette::Text, QPalette::Base, false};
    if (qobject_cast<const QComboBox*>(widget) || qobject_cast<const QPushButton*>(widget))
        return Roles{QPalette::ButtonText, QPalette::Button, false};
    if (qobject_cast<const ButtonPanel*>(widget))
        return Roles{QPalette::WindowText, QPalette::Button, false};
    return std::nullopt;
}

// Runs `inspect` on the modal window that `show` opens, then closes that window. Fails instead
// of hanging when nothing modal appears.
void inspectModal(const std::function<void()>& show, const std::function<void(QWidget*)>& inspect)
{
    bool seen = false;
    std::function<void()> poll;
    int attempts = 0;
    poll = [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal && modal->isVisible()) {
            seen = true;
            inspect(modal);
            if (auto* dialog = qobject_cast<QDialog*>(modal))
                dialog->reject();
            else
                modal->close();
            return;
        }
        if (++attempts < 500)
            QTimer::singleShot(10, poll);
    };
    QTimer::singleShot(0, poll);
    show();
    QVERIFY2(seen, "no modal window appeared");
}

} // namespace

class TestDesktopLook : public QObject
{
    Q_OBJECT
    std::map<QString, std::unique_ptr<QWidget>> m_darkWindows;
    Desktop m_program;

    QWidget* darkWindow(const QString& name) { return m_darkWindows.at(name).get(); }

private slots:
    void initTestCase()
    {
        g_plainDesktop = {QApplication::palette(), QApplication::font()};
        QVERIFY(luminance(g_plainDesktop.palette.color(QPalette::Window)) > 0.5);
        // The desktop is dark before the program prepares itself and creates its windows.
        useDesktop(darkDesktop());
        prepareApplication(*qApp);
        // What the program runs with: the dark desktop as prepareApplication left it.
        m_program = {QApplication::palette(), QApplication::font()};
        MessageBox::setRecording(false);
        for (const QString& name : kWindows) {
            auto window = makeWindow(name);
            window->ensurePolished();
            for (QWidget* child : window->findChildren<QWidget*>())
                child->ensurePolished();
            m_darkWindows[name] = std::move(window);
        }
    }

    void init() { useDesktop(m_program); }

    void cleanupTestCase()
    {
        m_darkWindows.clear();
        useDesktop(g_plainDesktop);
    }

    void desktopFontStaysTheApplications()
    {
        // Preparing the program leaves the desktop's font to the application: message boxes,
        // the save dialog and the hints use it.
        QCOMPARE(QApplication::font(), unusualDesktopFont());
    }

    void windowsAreTheSameOnEveryDesktop_data()
    {
        QTest::addColumn<QString>("window");
        for (const QString& name : kWindows)
            QTest::newRow(qPrintable(name)) << name;
    }

    void windowsAreTheSameOnEveryDesktop()
    {
        QFETCH(QString, window);
        useDesktop(g_plainDesktop);
        const auto plain = makeWindow(window);
        const QImage onPlain = plain->grab().toImage();
        // The desktop switches to the dark scheme and the unusual font while the window exists.
        useDesktop(m_program);
        const QImage afterSwitch = plain->grab().toImage();
        const QImage onDark = darkWindow(window)->grab().toImage();

        const auto differingPixels = [](const QImage& a, const QImage& b) {
            if (a.size() != b.size())
                return QStringLiteral("sizes differ");
            int count = 0;
            QPoint first(-1, -1);
            for (int y = 0; y < a.height(); ++y) {
                for (int x = 0; x < a.width(); ++x) {
                    if (a.pixel(x, y) != b.pixel(x, y)) {
                        if (count++ == 0)
                            first = QPoint(x, y);
                    }
                }
            }
            return count == 0 ? QString()
                              : QStringLiteral("%1 pixels differ, the first at %2, %3")
                                    .arg(count)
                                    .arg(first.x())
                                    .arg(first.y());
        };
        QString difference = differingPixels(onPlain, onDark);
        QVERIFY2(difference.isEmpty(), qPrintable("created on a dark desktop: " + difference));
        difference = differingPixels(onPlain, afterSwitch);
        QVERIFY2(difference.isEmpty(), qPrintable("desktop turned dark: " + difference));

        // Widget by widget the fonts are the same too, in the faces the layout names.
        const QList<QWidget*> plainChildren = plain->findChildren<QWidget*>();
        for (QWidget* child : plainChildren) {
            if (child->objectName().isEmpty())
                continue;
            const auto* dark = darkWindow(window)->findChild<QWidget*>(child->objectName());
            QVERIFY(dark);
            QVERIFY2(child->font() == dark->font(), qPrintable(child->objectName()));
            const QFontInfo face(dark->font());
            QVERIFY2(face.family().startsWith(QLatin1String("Liberation")),
                     qPrintable(child->objectName() + ": " + face.family()));
            QVERIFY2(!face.italic() && !dark->font().underline(), qPrintable(child->objectName()));
        }
    }

    void controlsKeepTheLightColours_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("control");
        for (const QString& name : kWindows) {
            for (const QWidget* child : darkWindow(name)->findChildren<QWidget*>()) {
                if (!child->objectName().isEmpty() && rolesOf(child))
                    QTest::addRow("%s/%s", qPrintable(name), qPrintable(child->objectName()))
                        << name << child->objectName();
            }
        }
    }

    void controlsKeepTheLightColours()
    {
        QFETCH(QString, window);
        QFETCH(QString, control);
        const QWidget* form = darkWindow(window);
        const auto* widget = form->findChild<QWidget*>(control);
        QVERIFY(widget);
        const Roles roles = *rolesOf(widget);
        const LayoutColours layout = layoutColours().value(window + '/' + control);
        const QPalette light = LayoutPalette::light();
        const QPalette::ColorGroup group =
            widget->isEnabled() ? QPalette::Active : QPalette::Disabled;

        const QColor text = widget->palette().color(group, roles.text);
        QColor background = roles.onWindow ? form->palette().color(group, QPalette::Window)
                                           : widget->palette().color(group, roles.background);
        if (const auto* panel = qobject_cast<const ButtonPanel*>(widget))
            background = panel->color();

        if (layout.text.isValid())
            QCOMPARE(hex(text), hex(layout.text));
        else
            QCOMPARE(hex(text), hex(light.color(group, roles.text)));
        if (!layout.onArtwork) {
            if (layout.background.isValid())
                QCOMPARE(hex(background), hex(layout.background));
            else
                QCOMPARE(hex(background), hex(light.color(group, roles.background)));
        }
        // Texts in the theme's colour are readable on what lies behind them. (Disabled
        // controls are meant to look faded; the layout's own colours are kept as given.)
        if (!layout.text.isValid() && widget->isEnabled()) {
            const double ratio = contrast(text, background);
            QVERIFY2(ratio >= 4.5, qPrintable(QStringLiteral("%1 on %2: %3:1")
                                                  .arg(hex(text), hex(background))
                                                  .arg(ratio, 0, 'f', 2)));
        }

        // A list's drop-down is a window of its own, which the style draws as a menu. As drawn,
        // it is light, with dark item texts.
        if (auto* list = form->findChild<QComboBox*>(control)) {
            list->showPopup();
            QWidget* popup = list->view()->window();
            QVERIFY(popup != form && popup->isVisible());
            const QImage drawn = popup->grab().toImage();
            list->hidePopup();
            QHash<QRgb, int> counts;
            double darkest = 1.0;
            for (int y = 0; y < drawn.height(); ++y) {
                for (int x = 0; x < drawn.width(); ++x) {
                    ++counts[drawn.pixel(x, y)];
                    darkest = qMin(darkest, luminance(drawn.pixelColor(x, y)));
                }
            }
            QRgb commonest = 0;
            for (auto it = counts.cbegin(); it != counts.cend(); ++it) {
                if (it.value() > counts.value(commonest))
                    commonest = it.key();
            }
            const QString face = hex(QColor::fromRgba(commonest));
            QVERIFY2(face == hex(light.color(QPalette::Window)) ||
                         face == hex(light.color(QPalette::Base)),
                     qPrintable("the drop-down's face is " + face));
            QVERIFY2(darkest < 0.05, "the drop-down's items are not drawn dark");
        }
    }

    void lightPaletteIsCompleteAndReadable()
    {
        const QPalette light = LayoutPalette::light();
        for (int group = QPalette::Active; group <= QPalette::Inactive; ++group) {
            for (int role = 0; role < QPalette::NColorRoles; ++role) {
                QVERIFY2(light.isBrushSet(QPalette::ColorGroup(group), QPalette::ColorRole(role)),
                         qPrintable(QStringLiteral("group %1 role %2").arg(group).arg(role)));
            }
        }
        const QList<std::pair<QPalette::ColorRole, QPalette::ColorRole>> pairs = {
            {QPalette::WindowText, QPalette::Window},
            {QPalette::Text, QPalette::Base},
            {QPalette::ButtonText, QPalette::Button},
            {QPalette::HighlightedText, QPalette::Highlight},
            {QPalette::ToolTipText, QPalette::ToolTipBase},
        };
        for (const auto& [text, background] : pairs)
            QVERIFY2(contrast(light.color(text), light.color(background)) >= 4.5,
                     qPrintable(QStringLiteral("roles %1 on %2").arg(text).arg(background)));
    }

    void boxesAndDialogFollowTheDesktop_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("parent"); // empty: no parent
        for (const char* kind : {"information", "error", "failing handler", "save dialog"}) {
            QTest::addRow("%s alone", kind) << kind << QString();
            QTest::addRow("%s over the character window", kind) << kind << "TForm3";
        }
    }

    void boxesAndDialogFollowTheDesktop()
    {
        QFETCH(QString, kind);
        QFETCH(QString, parent);
        QWidget* owner = parent.isEmpty() ? nullptr : darkWindow(parent);
        const std::function<void()> show = [&] {
            if (kind == QLatin1String("information")) {
                MessageBox::information(QStringLiteral("AVE SATANAS:-)"), owner);
            } else if (kind == QLatin1String("error")) {
                MessageBox::error(QStringLiteral("File not found"), owner);
            } else if (kind == QLatin1String("failing handler")) {
                runHandler([] { throw std::runtime_error("I/O error 5"); });
            } else {
                SaveDialog dialog;
                dialog.title = QStringLiteral("Exportovat osobní deník do souboru");
                dialog.filterName = QStringLiteral("HTML Dokument");
                dialog.filterPattern = QStringLiteral("*.htm");
                dialog.defaultSuffix = QStringLiteral("htm");
                dialog.fileName = QStringLiteral("*.htm");
                dialog.execute(owner);
            }
        };
        const QFont desktopFont = unusualDesktopFont();
        const QPalette desktopPalette = darkDesktopPalette();
        QStringList wrong;
        int texts = 0;
        inspectModal(show, [&](QWidget* modal) {
            if (kind == QLatin1String("save dialog"))
                QVERIFY(qobject_cast<QFileDialog*>(modal));
            else
                QVERIFY(qobject_cast<QMessageBox*>(modal));
            const QList<QWidget*> parts = QList<QWidget*>{modal} + modal->findChildren<QWidget*>();
            for (QWidget* part : parts) {
                const bool showsText = qobject_cast<QLabel*>(part) ||
                                       qobject_cast<QPushButton*>(part) ||
                                       qobject_cast<QLineEdit*>(part);
                if (!showsText && part != modal)
                    continue;
                ++texts;
                const QFont font = part->font();
                if (font.family() != desktopFont.family() ||
                    font.pointSize() != desktopFont.pointSize() || !font.italic())
                    wrong << QStringLiteral("%1 %2: font %3")
                                 .arg(QString::fromLatin1(part->metaObject()->className()),
                                      part->objectName(), font.toString());
                if (part->palette().color(QPalette::Window) !=
                    desktopPalette.color(QPalette::Window))
                    wrong << QStringLiteral("%1 %2: face %3")
                                 .arg(QString::fromLatin1(part->metaObject()->className()),
                                      part->objectName(),
                                      hex(part->palette().color(QPalette::Window)));
            }
        });
        QVERIFY(texts > 1);
        QVERIFY2(wrong.isEmpty(), qPrintable(wrong.join(QStringLiteral("\n"))));
    }
};

QTEST_MAIN(TestDesktopLook)
#include "test_desktop_look.moc"
