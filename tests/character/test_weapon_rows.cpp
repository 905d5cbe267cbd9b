// SPDX-License-Identifier: GPL-3.0-or-later
// The sheet's weapon rows: every weapon name ends clear of the number columns, and every number
// column stands under its word in the column header, in the faces the program depends on.
#include "WindowFixtures.h"
#include "Workspace.h"
#include "character/SheetView.h"
#include "character/TForm3.h"
#include "character/TForm5.h"
#include "platform/Fonts.h"
#include "platform/SoundPlayer.h"
#include "rules/CombatNumbers.h"
#include "rules/RulesTables.h"

#include <QFontInfo>
#include <QFontMetrics>
#include <QImage>
#include <QLabel>
#include <QTest>

#include <memory>

using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(Choices)

namespace {

constexpr int Kroll = 6;
constexpr int Melee = 0;

// The weapon rows' fields as "LabelNN=text", in the order the window writes them.
QStringList fieldTexts(const Choices& choices, int silaBonus, int obratnostBonus)
{
    QStringList texts;
    for (const CombatFieldText& field :
         combatFieldTexts(combatNumbers(choices, silaBonus, obratnostBonus)))
        texts.append(QString::fromLatin1(field.label) + u'=' + field.text);
    return texts;
}

// The name column starts at 264 and the ÚČ column at 344; a name must leave 3 px free.
constexpr int kNameColumn = 264;
constexpr int kNumberColumn = 344;
constexpr int kGap = 3;

// How far the text's ink or advance reaches from the label's left edge, whichever is further.
int reach(const QLabel* label, const QString& text)
{
    const QFontMetrics metrics(label->font());
    return qMax(metrics.horizontalAdvance(text), metrics.boundingRect(text).right() + 1);
}

// The rightmost column of the rendered band [left, right) x [top, top + height) that differs
// from the window's face, or -1 when the band is empty.
int rightmostInk(const QImage& image, const QRect& band)
{
    const QRgb face = image.pixel(band.left(), band.top());
    for (int x = band.right(); x >= band.left(); --x) {
        for (int y = band.top(); y <= band.bottom(); ++y) {
            if (image.pixel(x, y) != face)
                return x;
        }
    }
    return -1;
}

} // namespace

class TestWeaponRows : public QObject
{
    Q_OBJECT
    std::unique_ptr<Workspace> m_workspace;
    std::unique_ptr<TForm5> m_tipWindow;
    std::unique_ptr<TForm3> m_form;

    TForm3& form() { return *m_form; }

    void generateWith(int melee, int ranged1, int ranged2)
    {
        form().ComboBox3->setCurrentIndex(melee);
        form().ComboBox5->setCurrentIndex(ranged1);
        form().ComboBox6->setCurrentIndex(ranged2);
        QTest::mouseClick(form().Button1, Qt::LeftButton);
    }

    // The window with only the name column drawn, so that whatever ink the band holds is the
    // name's.
    QImage nameColumnOnly(QLabel* nameField)
    {
        const QList<QLabel*> labels = form().findChildren<QLabel*>();
        QList<QLabel*> hidden;
        for (QLabel* label : labels) {
            if (label != nameField && label->isVisibleTo(&form())) {
                label->hide();
                hidden << label;
            }
        }
        const QImage image = form().grab().toImage();
        for (QLabel* label : hidden)
            label->show();
        return image;
    }

private slots:
    void fieldTexts_data();
    void fieldTexts();
    void initTestCase()
    {
        Fonts::installSubstitutions();
        m_workspace = std::make_unique<Workspace>();
        m_workspace->writeLines(QStringLiteral("tips.ktd"), {"A", "0"});
        m_tipWindow = std::make_unique<TForm5>();
        m_form = std::make_unique<TForm3>();
        form().FormCreate();
        form().setTipWindow(m_tipWindow.get());
        form().setClock([] { return QTime(1, 2, 3, 4); });
    }

    void rowsUseAFaceTheProgramDependsOn_data()
    {
        QTest::addColumn<QString>("field");
        for (const char* field : {"Label44", "Label45", "Label46", "Label47", "Label50", "Label51",
                                  "Label52", "Label53", "Label54", "Label55", "Label56", "Label57",
                                  "Label58", "Label59", "Label60", "Label61"})
            QTest::newRow(field) << QString::fromLatin1(field);
    }

    void rowsUseAFaceTheProgramDependsOn()
    {
        QFETCH(QString, field);
        const auto* label = form().findChild<QLabel*>(field);
        QVERIFY(label);
        const QFontInfo face(label->font());
        // fonts-liberation is what the package depends on.
        QVERIFY2(face.family().startsWith(QLatin1String("Liberation Sans")),
                 qPrintable(face.family()));
        QCOMPARE(face.pixelSize(), 11);
        QCOMPARE(face.bold(), false);
    }

    void namesEndBeforeTheNumbers_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<int>("melee");
        QTest::addColumn<int>("ranged");
        for (int melee = 0; melee < MeleeWeaponCount; ++melee)
            QTest::addRow("melee %d %s", melee, qPrintable(meleeSheetName(melee).trimmed()))
                << QStringLiteral("Label44") << melee << 0;
        for (int ranged = 0; ranged < RangedWeaponCount; ++ranged) {
            QTest::addRow("first ranged %d %s", ranged,
                          qPrintable(rangedSheetName(ranged).trimmed()))
                << QStringLiteral("Label50") << 0 << ranged;
            QTest::addRow("second ranged %d %s", ranged,
                          qPrintable(rangedSheetName(ranged).trimmed()))
                << QStringLiteral("Label56") << 0 << ranged;
        }
    }

    void namesEndBeforeTheNumbers()
    {
        QFETCH(QString, field);
        QFETCH(int, melee);
        QFETCH(int, ranged);
        generateWith(melee, ranged, ranged);
        auto* name = form().findChild<QLabel*>(field);
        QVERIFY(name);
        const QString expected =
            field == QLatin1String("Label44") ? meleeSheetName(melee) : rangedSheetName(ranged);
        QCOMPARE(name->text(), expected);
        QCOMPARE(name->x(), kNameColumn);

        const int room = kNumberColumn - kGap - kNameColumn;
        const int measured = reach(name, expected.trimmed());
        QVERIFY2(measured <= room,
                 qPrintable(QStringLiteral("%1 px wide, room for %2").arg(measured).arg(room)));

        // As drawn: nothing of the name within 3 px of the ÚČ column or beyond it.
        const QImage image = nameColumnOnly(name);
        const QRect band(kNameColumn, name->y(), 120, name->height());
        const int ink = rightmostInk(image, band);
        QVERIFY2(ink > kNameColumn, "the name was not drawn");
        QVERIFY2(ink < kNumberColumn - kGap,
                 qPrintable(QStringLiteral("ink up to x = %1").arg(ink)));
    }

    void numbersStandUnderTheirHeaderWords_data()
    {
        QTest::addColumn<QString>("header");
        QTest::addColumn<QString>("word");
        QTest::addColumn<QStringList>("fields");
        QTest::newRow("melee ÚČ") << "Label43"
                                  << "ÚČ" << QStringList{"Label45"};
        QTest::newRow("melee Útoč.") << "Label43"
                                     << "Útoč." << QStringList{"Label46"};
        QTest::newRow("melee OZ") << "Label43"
                                  << "OZ" << QStringList{"Label47"};
        QTest::newRow("ranged ÚČ") << "Label49"
                                   << "ÚČ" << QStringList{"Label51", "Label57"};
        QTest::newRow("ranged Útoč.") << "Label49"
                                      << "Útoč." << QStringList{"Label52", "Label58"};
        QTest::newRow("ranged m.") << "Label49"
                                   << "m." << QStringList{"Label53", "Label59"};
        QTest::newRow("ranged s.") << "Label49"
                                   << "s." << QStringList{"Label54", "Label60"};
        QTest::newRow("ranged d.") << "Label49"
                                   << "d." << QStringList{"Label55", "Label61"};
    }

    void numbersStandUnderTheirHeaderWords()
    {
        QFETCH(QString, header);
        QFETCH(QString, word);
        QFETCH(QStringList, fields);
        const auto* caption = form().findChild<QLabel*>(header);
        QVERIFY(caption);
        const QString text = caption->text();
        const qsizetype at = text.indexOf(word);
        QVERIFY(at > 0);
        const QFontMetrics metrics(caption->font());
        const int wordLeft = caption->x() + metrics.horizontalAdvance(text.left(at));
        const int wordRight = wordLeft + metrics.horizontalAdvance(word);
        for (const QString& field : fields) {
            const auto* number = form().findChild<QLabel*>(field);
            QVERIFY(number);
            // The number starts under the word: at most 3 px before it, and before its end.
            QVERIFY2(number->x() >= wordLeft - kGap && number->x() < wordRight,
                     qPrintable(QStringLiteral("%1 at x = %2, \"%3\" spans %4..%5")
                                    .arg(field)
                                    .arg(number->x())
                                    .arg(word)
                                    .arg(wordLeft)
                                    .arg(wordRight)));
        }
    }
};

void TestWeaponRows::fieldTexts_data()
{
    QTest::addColumn<Choices>("choices");
    QTest::addColumn<int>("silaBonus");
    QTest::addColumn<int>("obratnostBonus");
    QTest::addColumn<QStringList>("texts");

    QTest::newRow("nothing") << Choices{} << 2 << 0
                             << QStringList{u"Label44=-žádná-           "_s,
                                            u"Label50=-žádná-   "_s,
                                            u"Label56=-žádná-   "_s,
                                            u"Label45=2"_s,
                                            u"Label51=0"_s,
                                            u"Label57=0"_s,
                                            u"Label46=0"_s,
                                            u"Label52=0"_s,
                                            u"Label58=0"_s,
                                            u"Label47=-3"_s,
                                            u"Label63=1"_s,
                                            u"Label53=0"_s,
                                            u"Label54=0"_s,
                                            u"Label55=0"_s,
                                            u"Label59=0"_s,
                                            u"Label60=0"_s,
                                            u"Label61=0"_s};
    // Kroll, Těžký kyj, Láhev, Prak, Šupinová: ÚČ 5 + 3 + 1, 0 - 2 raised to 1, 4 - 2;
    // defence -1 - 2 + 4
    QTest::newRow("full rows") << Choices{Kroll, 0, {}, 0, 24, 13, 5, 3, false, Melee} << 3 << -2
                               << QStringList{u"Label44=Těžký kyj         "_s,
                                              u"Label50=Láhev     "_s,
                                              u"Label56=Prak      "_s,
                                              u"Label45=9"_s,
                                              u"Label51=1"_s,
                                              u"Label57=2"_s,
                                              u"Label46=4"_s,
                                              u"Label52=1"_s,
                                              u"Label58=-1"_s,
                                              u"Label47=-1"_s,
                                              u"Label63=1"_s,
                                              u"Label53=4"_s,
                                              u"Label54=7"_s,
                                              u"Label55=10"_s,
                                              u"Label59=9"_s,
                                              u"Label60=16"_s,
                                              u"Label61=25"_s};
}

void TestWeaponRows::fieldTexts()
{
    QFETCH(Choices, choices);
    QFETCH(int, silaBonus);
    QFETCH(int, obratnostBonus);
    QFETCH(QStringList, texts);
    QCOMPARE(::fieldTexts(choices, silaBonus, obratnostBonus), texts);
}

QTEST_MAIN(TestWeaponRows)
#include "test_weapon_rows.moc"
