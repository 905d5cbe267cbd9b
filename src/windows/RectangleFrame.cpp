#include "RectangleFrame.h"

#include <QPainter>

RectangleFrame::RectangleFrame(QWidget* parent) : QWidget(parent) {}

void RectangleFrame::setPenColor(const QColor& color)
{
    m_penColor = color;
    update();
}

void RectangleFrame::setPenWidth(int width)
{
    m_penWidth = qMax(0, width);
    update();
}

void RectangleFrame::paintEvent(QPaintEvent*)
{
    const QRect area = rect();
    const int pen = qMin(m_penWidth, qMin(area.width(), area.height()));
    if (pen <= 0)
        return;
    // Four whole-pixel strips: a stroked path would put half the pen outside the widget.
    QPainter painter(this);
    painter.fillRect(QRect(area.left(), area.top(), area.width(), pen), m_penColor);
    painter.fillRect(QRect(area.left(), area.bottom() - pen + 1, area.width(), pen), m_penColor);
    painter.fillRect(QRect(area.left(), area.top(), pen, area.height()), m_penColor);
    painter.fillRect(QRect(area.right() - pen + 1, area.top(), pen, area.height()), m_penColor);
}
