// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/TShape.h"

#include <QPainter>

TShape::TShape(QWidget* parent) : QWidget(parent) {}

void TShape::setFilled(bool filled)
{
    m_filled = filled;
    update();
}

void TShape::setBrushColor(const QColor& color)
{
    m_brushColor = color;
    update();
}

void TShape::setPenColor(const QColor& color)
{
    m_penColor = color;
    update();
}

void TShape::setPenWidth(int width)
{
    m_penWidth = qMax(0, width);
    update();
}

void TShape::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QRect area = rect();
    if (m_filled)
        painter.fillRect(area, m_brushColor);
    // Whole-pixel strips rather than a stroked path, so thin frames stay crisp and exact.
    const int pen = qMin(m_penWidth, qMin(area.width(), area.height()));
    if (pen <= 0)
        return;
    painter.fillRect(QRect(area.left(), area.top(), area.width(), pen), m_penColor);
    painter.fillRect(QRect(area.left(), area.bottom() - pen + 1, area.width(), pen), m_penColor);
    painter.fillRect(QRect(area.left(), area.top(), pen, area.height()), m_penColor);
    painter.fillRect(QRect(area.right() - pen + 1, area.top(), pen, area.height()), m_penColor);
}
