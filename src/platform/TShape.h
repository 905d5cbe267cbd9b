// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QWidget>

// A plain rectangle: the frames of the borderless windows, the frames around the sheet and its
// boxes, and the red bracket of the overwrite warning. Its border is drawn inside its bounds,
// penWidth pixels thick; an unfilled shape lets whatever lies beneath show through.
class TShape : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(bool filled READ filled WRITE setFilled)
    Q_PROPERTY(QColor brushColor READ brushColor WRITE setBrushColor)
    Q_PROPERTY(QColor penColor READ penColor WRITE setPenColor)
    Q_PROPERTY(int penWidth READ penWidth WRITE setPenWidth)

public:
    explicit TShape(QWidget* parent = nullptr);

    bool filled() const { return m_filled; }
    void setFilled(bool filled);
    QColor brushColor() const { return m_brushColor; }
    void setBrushColor(const QColor& color);
    QColor penColor() const { return m_penColor; }
    void setPenColor(const QColor& color);
    int penWidth() const { return m_penWidth; }
    void setPenWidth(int width);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    bool m_filled = true;
    QColor m_brushColor = Qt::white;
    QColor m_penColor = Qt::black;
    int m_penWidth = 1;
};
