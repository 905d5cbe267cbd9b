// SPDX-License-Identifier: GPL-3.0-or-later
#include "windows/ButtonPanel.h"

#include <QAccessibleWidget>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFocusRect>

namespace {
// The bevel's colours: a white highlight above and left, a grey shadow below and right.
const QColor BevelLight(0xFF, 0xFF, 0xFF);
const QColor BevelShadow(0x80, 0x80, 0x80);

// The panel is a button to the user, so assistive tools are told it is one: named by its caption
// and pressed by their press action.
class PanelButtonAccessible : public QAccessibleWidget
{
public:
    explicit PanelButtonAccessible(ButtonPanel* panel)
        : QAccessibleWidget(panel, QAccessible::Button)
    {
    }

    QString text(QAccessible::Text kind) const override
    {
        const QString text = QAccessibleWidget::text(kind);
        if (kind == QAccessible::Name && text.isEmpty())
            return panel()->text();
        return text;
    }

    QStringList actionNames() const override
    {
        return QStringList{pressAction()} + QAccessibleWidget::actionNames();
    }

    void doAction(const QString& action) override
    {
        if (action == pressAction())
            panel()->click();
        else
            QAccessibleWidget::doAction(action);
    }

private:
    ButtonPanel* panel() const { return static_cast<ButtonPanel*>(widget()); }
};

QAccessibleInterface* panelButtonAccessible(const QString& className, QObject* object)
{
    auto* panel = qobject_cast<ButtonPanel*>(object);
    if (className == QLatin1String("ButtonPanel") && panel)
        return new PanelButtonAccessible(panel);
    return nullptr;
}

} // namespace

ButtonPanel::ButtonPanel(QWidget* parent)
    : QWidget(parent), m_color(palette().color(QPalette::Button))
{
    // Once per program, before any assistive tool asks about a panel.
    static const bool accessibleAsButton =
        (QAccessible::installFactory(panelButtonAccessible), true);
    Q_UNUSED(accessibleAsButton);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void ButtonPanel::setText(const QString& text)
{
    m_text = text;
    update();
}

void ButtonPanel::setColor(const QColor& color)
{
    m_color = color;
    update();
}

void ButtonPanel::click()
{
    emit clicked();
}

void ButtonPanel::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QRect area = rect();
    painter.fillRect(area, m_color);
    painter.setPen(BevelLight);
    painter.drawLine(area.topLeft(), area.topRight());
    painter.drawLine(area.topLeft(), area.bottomLeft());
    painter.setPen(BevelShadow);
    painter.drawLine(area.bottomLeft(), area.bottomRight());
    painter.drawLine(area.topRight(), area.bottomRight());

    painter.setPen(palette().color(QPalette::WindowText));
    painter.setFont(font());
    painter.drawText(area.adjusted(1, 1, -1, -1), Qt::AlignCenter | Qt::TextSingleLine, m_text);

    if (hasFocus()) {
        QStyleOptionFocusRect option;
        option.initFrom(this);
        option.rect = area.adjusted(3, 3, -3, -3);
        option.backgroundColor = m_color;
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, this);
    }
}

void ButtonPanel::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    m_pressed = true;
    event->accept();
}

void ButtonPanel::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        QWidget::mouseReleaseEvent(event);
        return;
    }
    const bool wasPressed = m_pressed;
    m_pressed = false;
    event->accept();
    if (wasPressed && rect().contains(event->position().toPoint()))
        click();
}

void ButtonPanel::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Space:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (!event->isAutoRepeat())
            click();
        event->accept();
        break;
    default:
        QWidget::keyPressEvent(event);
    }
}
