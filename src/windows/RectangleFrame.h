#pragma once

#include <QColor>
#include <QWidget>

// An unfilled rectangle: the black frame that is the visible border of the windows without a
// title bar. The frame lies inside the widget's bounds, penWidth pixels thick; everything inside
// it shows whatever lies beneath.
class RectangleFrame : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(QColor penColor READ penColor WRITE setPenColor)
    Q_PROPERTY(int penWidth READ penWidth WRITE setPenWidth)

public:
    explicit RectangleFrame(QWidget* parent = nullptr);

    QColor penColor() const { return m_penColor; }
    void setPenColor(const QColor& color);
    int penWidth() const { return m_penWidth; }
    void setPenWidth(int width);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor m_penColor = Qt::black;
    int m_penWidth = 1;
};
