// SPDX-License-Identifier: GPL-3.0-or-later
#include "print/PrintedSheet.h"

#include "files/KartakError.h"
#include "platform/ProgramInfo.h"

#include <QBuffer>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>

#include <algorithm>
#include <array>
#include <vector>

namespace {

// Type sizes in points: everything a player reads at arm's length is at least 12 pt.
constexpr qreal kTextPoints = 12;
constexpr qreal kHeadingPoints = 14;
constexpr qreal kFooterPoints = 10;
constexpr qreal kSmallestNamePoints = 10;

constexpr qreal kRow = 6.5;         // mm from one line of the sheet to the next
constexpr qreal kWritingLine = 8.5; // mm between the ruled lines players write on
constexpr qreal kTitleWidth = 110;  // mm; the title picture is drawn for this width
constexpr qreal kValueColumn = 42;  // mm from the left edge to the name and race values

// Free faces only, so that the PDF embeds nothing a user may not pass on.
QFont pageFont(qreal points, bool bold = false)
{
    QFont font;
    font.setFamilies({QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")});
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

QString yesOrNo(bool yes)
{
    return yes ? QStringLiteral("ano") : QStringLiteral("ne");
}

// The page in millimetres from the top-left corner of the paint area; the painter's device
// gives the resolution.
class Page
{
public:
    explicit Page(QPainter& painter)
        : m_painter(painter), m_pixelsPerMm(painter.device()->logicalDpiX() / 25.4),
          m_width(painter.device()->width() / m_pixelsPerMm),
          m_height(painter.device()->height() / m_pixelsPerMm)
    {
    }

    qreal width() const { return m_width; }
    qreal height() const { return m_height; }

    // Draws one line of text with its top at y; returns its width in mm.
    qreal text(qreal x, qreal y, const QString& text, const QFont& font)
    {
        m_painter.setFont(font);
        const QRectF area = pixels(QRectF(x, y, m_width - x, kRow));
        QRectF used;
        m_painter.drawText(area, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, text, &used);
        return used.width() / m_pixelsPerMm;
    }

    qreal textWidth(const QString& text, const QFont& font) const
    {
        return QFontMetricsF(font, m_painter.device()).horizontalAdvance(text) / m_pixelsPerMm;
    }

    // Draws a value that may be of any length into the box, word-wrapped, at the largest size
    // from 12 down to 10 pt at which it fits; a value too long even then ends in an ellipsis,
    // so the sheet stays one page. Returns the height used in mm, at least one row.
    qreal fittedText(const QRectF& box, const QString& text)
    {
        const QRectF area = pixels(box);
        const int flags = Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap;
        for (qreal points = kTextPoints; points >= kSmallestNamePoints; points -= 1) {
            m_painter.setFont(pageFont(points));
            const QRectF needed = m_painter.boundingRect(area, flags, text);
            if (needed.height() <= area.height()) {
                m_painter.drawText(area, flags, text);
                return std::max(kRow, needed.height() / m_pixelsPerMm + 1);
            }
        }
        const QString cut = longestFittingStart(area, flags, text);
        m_painter.drawText(area, flags, cut);
        return box.height();
    }

    void line(qreal x1, qreal y1, qreal x2, qreal y2, qreal widthMm,
              const QColor& colour = Qt::black)
    {
        m_painter.setPen(QPen(colour, widthMm * m_pixelsPerMm));
        m_painter.drawLine(pixels(QPointF(x1, y1)), pixels(QPointF(x2, y2)));
        m_painter.setPen(Qt::black);
    }

    void frame(const QRectF& box)
    {
        m_painter.setPen(QPen(Qt::black, 0.35 * m_pixelsPerMm));
        m_painter.setBrush(Qt::NoBrush);
        m_painter.drawRect(pixels(box));
        m_painter.setPen(Qt::black);
    }

    void image(const QRectF& box, const QImage& picture)
    {
        m_painter.drawImage(pixels(box), picture);
    }

private:
    QPointF pixels(QPointF mm) const { return mm * m_pixelsPerMm; }
    QRectF pixels(const QRectF& mm) const
    {
        return {mm.topLeft() * m_pixelsPerMm, mm.size() * m_pixelsPerMm};
    }

    // The longest start of the text that fits the area with an ellipsis after it; a surrogate
    // pair is never split.
    QString longestFittingStart(const QRectF& area, int flags, const QString& text) const
    {
        const auto withEllipsis = [&text](qsizetype length) {
            if (length > 0 && text.at(length - 1).isHighSurrogate())
                --length;
            return text.left(length) + QChar(0x2026);
        };
        qsizetype fits = 0;
        qsizetype tooLong = text.size();
        while (tooLong - fits > 1) {
            const qsizetype middle = (fits + tooLong) / 2;
            if (m_painter.boundingRect(area, flags, withEllipsis(middle)).height() <= area.height())
                fits = middle;
            else
                tooLong = middle;
        }
        return withEllipsis(fits);
    }

    QPainter& m_painter;
    qreal m_pixelsPerMm;
    qreal m_width;
    qreal m_height;
};

// A caption in bold with its value after it, both on one line.
void captioned(Page& page, qreal x, qreal valueX, qreal y, const QString& caption,
               const QString& value)
{
    page.text(x, y, caption, pageFont(kTextPoints, true));
    page.text(valueX, y, value, pageFont(kTextPoints));
}

// The weapon tables: one column for the names, then one per figure, all tables aligned.
struct WeaponTable
{
    qreal x = 0;
    qreal nameWidth = 0;
    qreal figureWidth = 0;

    void header(Page& page, qreal y, const QStringList& captions) const
    {
        for (int i = 0; i < captions.size(); ++i)
            page.text(column(i), y, captions[i], pageFont(kTextPoints, true));
    }

    void row(Page& page, qreal y, const WeaponRow& weapon, const std::vector<int>& figures) const
    {
        // The sheet names are padded for the window's fixed columns; paper has its own.
        page.text(column(0), y, weapon.sheetName.trimmed(), pageFont(kTextPoints));
        for (size_t i = 0; i < figures.size(); ++i)
            page.text(column(int(i) + 1), y, QString::number(figures[i]), pageFont(kTextPoints));
    }

    qreal column(int i) const { return i == 0 ? x : x + nameWidth + (i - 1) * figureWidth; }
};

// The two columns of the window's sheet: attributes and weapons on the left; lives, size,
// the framed perception and defence boxes and the money on the right.
qreal paintColumns(Page& page, qreal top, const PrintedSheet::Input& input)
{
    const SheetTexts& sheet = input.sheet;
    const CombatNumbers& combat = input.combat;
    const qreal right = page.width() * 0.62;
    const qreal rightValue = right + 36;

    static const std::array<QString, AttributeCount> attributeCaptions = {
        QStringLiteral("Síla:"), QStringLiteral("Obratnost:"), QStringLiteral("Odolnost:"),
        QStringLiteral("Inteligence:"), QStringLiteral("Charisma:")};
    for (int i = 0; i < AttributeCount; ++i)
        captioned(page, 0, 34, top + i * kRow, attributeCaptions[i], sheet.attributes[i].text);
    captioned(page, right, rightValue, top, QStringLiteral("Životy:"), sheet.hitPoints);
    captioned(page, right, rightValue, top + kRow, QStringLiteral("Magy:"), sheet.magicPoints);
    captioned(page, right, rightValue, top + 3 * kRow, QStringLiteral("Velikost:"), sheet.size);

    // Left: the weapon tables.
    qreal y = top + int(AttributeCount) * kRow + 5;
    const qreal boxesTop = y;
    const QFont plain = pageFont(kTextPoints);
    const QFont bold = pageFont(kTextPoints, true);
    WeaponTable table;
    table.nameWidth = page.textWidth(QStringLiteral("Zbraň"), bold);
    for (const WeaponRow* row : {&combat.melee, &combat.ranged1, &combat.ranged2})
        table.nameWidth =
            std::max(table.nameWidth, page.textWidth(row->sheetName.trimmed(), plain));
    table.nameWidth += 5;
    // Five figure columns must fit beside the names, left of the right column.
    table.figureWidth = std::clamp((right - 6 - table.nameWidth) / 5, 10.0, 14.0);

    page.text(0, y, QStringLiteral("Útočné číslo pro boj tváří v tvář"),
              pageFont(kHeadingPoints, true));
    y += kRow + 1.5;
    table.header(page, y,
                 {QStringLiteral("Zbraň"), QStringLiteral("ÚČ"), QStringLiteral("Útoč."),
                  QStringLiteral("OZ")});
    y += kRow;
    table.row(page, y, combat.melee,
              {combat.melee.attackNumber, combat.melee.attack, combat.melee.defence});
    y += kRow + 5;
    page.text(0, y, QStringLiteral("Útočná čísla pro střelecký souboj"),
              pageFont(kHeadingPoints, true));
    y += kRow + 1.5;
    table.header(page, y,
                 {QStringLiteral("Zbraň"), QStringLiteral("ÚČ"), QStringLiteral("Útoč."),
                  QStringLiteral("m."), QStringLiteral("s."), QStringLiteral("d.")});
    for (const WeaponRow* row : {&combat.ranged1, &combat.ranged2}) {
        y += kRow;
        table.row(
            page, y, *row,
            {row->attackNumber, row->attack, row->rangeShort, row->rangeMedium, row->rangeLong});
    }
    y += kRow;

    // Right: the framed boxes, as the window frames them, and the money.
    const qreal boxWidth = page.width() - right + 1;
    qreal r = boxesTop;
    captioned(page, right + 1, rightValue, r + 2, QStringLiteral("Postřeh obj.:"),
              sheet.perceptionObjects + QStringLiteral(" %"));
    captioned(page, right + 1, rightValue, r + 2 + kRow, QStringLiteral("Postřeh mech.:"),
              sheet.perceptionMechanisms + QStringLiteral(" %"));
    page.frame(QRectF(right - 1, r, boxWidth, 2 * kRow + 3));
    r += 2 * kRow + 5;
    captioned(page, right + 1, rightValue, r + 2, QStringLiteral("Obranné číslo:"),
              QString::number(combat.defenceNumber));
    page.frame(QRectF(right - 1, r, boxWidth, kRow + 3));
    r += kRow + 8;
    page.text(right, r, QStringLiteral("Peníze:"), pageFont(kHeadingPoints, true));
    r += kRow + 1.5;
    captioned(page, right, rightValue, r, QStringLiteral("Zlaťáky:"), QString::number(input.money));
    captioned(page, right, rightValue, r + kRow, QStringLiteral("Stříbrňáky:"),
              QStringLiteral("0"));
    captioned(page, right, rightValue, r + 2 * kRow, QStringLiteral("Měďáky:"),
              QStringLiteral("0"));
    r += 3 * kRow;
    return std::max(y, r);
}

// Ruled lines to write on, from y down to bottom; returns where they end.
qreal writingLines(Page& page, qreal x, qreal y, qreal bottom)
{
    const QColor grey(0x80, 0x80, 0x80);
    for (y += kWritingLine; y <= bottom; y += kWritingLine)
        page.line(x, y, page.width(), y, 0.2, grey);
    return y - kWritingLine;
}

} // namespace

namespace PrintedSheet {

void paint(QPainter& painter, const Input& input)
{
    painter.save();
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    // The title keeps its sharp edges on paper; a JPEG would blur them.
    painter.setRenderHint(QPainter::LosslessImageRendering);
    painter.setPen(Qt::black);
    Page page(painter);
    const qreal width = page.width();

    // The window's title picture, drawn large enough for print resolution.
    // Decoded once: a picture this large decoded at every page would leave the heap larger.
    static const QImage title(QStringLiteral(":/print/sheet_title.png"));
    const qreal titleWidth = std::min(kTitleWidth, width);
    const qreal titleHeight =
        title.isNull() ? 0 : titleWidth * title.height() / qreal(title.width());
    if (!title.isNull())
        page.image(QRectF((width - titleWidth) / 2, 0, titleWidth, titleHeight), title);
    qreal y = titleHeight + 2;
    page.line(0, y, width, y, 0.5);
    y += 4;

    const QRectF nameBox(kValueColumn, y, width - kValueColumn, 3 * kRow);
    page.text(0, y, QStringLiteral("Jméno:"), pageFont(kTextPoints, true));
    y += page.fittedText(nameBox, input.sheet.name);
    page.text(0, y, QStringLiteral("Rasa a povolání:"), pageFont(kTextPoints, true));
    page.text(kValueColumn, y, input.sheet.raceAndProfession, pageFont(kTextPoints));
    y += kRow + 4;

    y = paintColumns(page, y, input) + 3;
    page.line(0, y, width, y, 0.35);
    y += 3;

    // What the players write in during play.
    const QFont bold = pageFont(kTextPoints, true);
    page.text(0, y, QStringLiteral("Úroveň:"), bold);
    page.text(24, y, QStringLiteral("1"), pageFont(kTextPoints));
    const qreal experience = width * 0.35;
    const qreal experienceLine =
        experience + page.text(experience, y, QStringLiteral("Zkušenosti:"), bold) + 2;
    page.line(experienceLine, y + 5.2, width, y + 5.2, 0.2, QColor(0x80, 0x80, 0x80));
    y += kRow + 4;

    page.text(0, y, QStringLiteral("Vybavení"), pageFont(kHeadingPoints, true));
    y += kRow + 1.5;
    captioned(page, 0, 24, y, QStringLiteral("Zbroj:"), input.equipment.armour);
    captioned(page, width * 0.62, width * 0.62 + 15, y, QStringLiteral("Štít:"),
              yesOrNo(input.equipment.shield));
    y = writingLines(page, 0, y, y + 3 * kWritingLine) + 5;

    const qreal footerTop = page.height() - 2 * 4.6 - 3;
    page.text(0, y, QStringLiteral("Poznámky"), pageFont(kHeadingPoints, true));
    writingLines(page, 0, y + 1, footerTop - 4);

    page.line(0, footerTop, width, footerTop, 0.35);
    const QFont footer = pageFont(kFooterPoints);
    page.text(0, footerTop + 1.5,
              QStringLiteral("Tento osobní deník byl vytvořen programem 'KARTÁK II'"), footer);
    page.text(0, footerTop + 1.5 + 4.6, QStringLiteral("Verze ") + input.versionText, footer);
    painter.restore();
}

QByteArray pdf(const Input& input, QPageSize::PageSizeId paper)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setPageLayout(QPageLayout(
            QPageSize(paper), QPageLayout::Portrait,
            QMarginsF(MarginMillimetres, MarginMillimetres, MarginMillimetres, MarginMillimetres),
            QPageLayout::Millimeter));
        writer.setTitle(QStringLiteral("Osobní deník"));
        writer.setCreator(ProgramInfo::ApplicationTitle);
        QPainter painter;
        if (!painter.begin(&writer))
            throw KartakError(QStringLiteral("Dokument PDF nelze vytvořit"));
        paint(painter, input);
        if (!painter.end())
            throw KartakError(QStringLiteral("Dokument PDF nelze dokončit"));
    }
    return buffer.data();
}

} // namespace PrintedSheet
