#include "Accessibility.h"

#include "TShape.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QAccessibleWidget>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QFocusFrame>
#include <QLabel>
#include <QMenu>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QTimer>

#include <utility>

namespace {

const char* const kNotifierName = "accessibleNotifier";

Accessibility::EventListener& eventListener()
{
    static Accessibility::EventListener listener;
    return listener;
}

void tellListener(QAccessibleEvent* event)
{
    if (eventListener())
        eventListener()(event);
}

bool isDecoration(const QWidget* widget)
{
    if (qobject_cast<const TShape*>(widget))
        return true;
    const auto* label = qobject_cast<const QLabel*>(widget);
    return label && !label->pixmap().isNull() && label->accessibleName().isEmpty();
}

// A window lists the controls a user can find in it: neither hidden ones nor mere decoration.
class WindowAccessible : public QAccessibleWidget
{
public:
    WindowAccessible(QWidget* window, QAccessible::Role role) : QAccessibleWidget(window, role) {}

    int childCount() const override { return int(shownChildren().size()); }

    QAccessibleInterface* child(int index) const override
    {
        const QList<QWidget*> children = shownChildren();
        if (index < 0 || index >= children.size())
            return nullptr;
        return QAccessible::queryAccessibleInterface(children.at(index));
    }

    int indexOfChild(const QAccessibleInterface* child) const override
    {
        if (!child)
            return -1;
        return shownChildren().indexOf(qobject_cast<QWidget*>(child->object()));
    }

private:
    QList<QWidget*> shownChildren() const
    {
        QList<QWidget*> shown;
        for (QObject* object : widget()->children()) {
            auto* child = qobject_cast<QWidget*>(object);
            if (!child || child->isWindow() || child->isHidden() || isDecoration(child) ||
                qobject_cast<QMenu*>(child) || qobject_cast<QFocusFrame*>(child))
                continue;
            shown << child;
        }
        return shown;
    }
};

// A drop-down list that says which item it holds: its text is the current item's, read-only.
class ChoiceListAccessible : public QAccessibleWidget, public QAccessibleTextInterface
{
public:
    explicit ChoiceListAccessible(QComboBox* list) : QAccessibleWidget(list, QAccessible::ComboBox)
    {
    }

    void* interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::TextInterface)
            return static_cast<QAccessibleTextInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    QString text(QAccessible::Text kind) const override
    {
        if (kind == QAccessible::Value)
            return list()->currentText();
        return QAccessibleWidget::text(kind);
    }

    // The popup's list is the one child, as the toolkit has it, so the items read in the popup
    // belong to this list.
    int childCount() const override { return 1; }

    QAccessibleInterface* child(int index) const override
    {
        return index == 0 ? QAccessible::queryAccessibleInterface(list()->view()) : nullptr;
    }

    int indexOfChild(const QAccessibleInterface* child) const override
    {
        return child && child->object() == list()->view() ? 0 : -1;
    }

    QAccessible::State state() const override
    {
        QAccessible::State state = QAccessibleWidget::state();
        state.expandable = true;
        state.expanded = list()->view()->isVisible();
        state.collapsed = !state.expanded;
        return state;
    }

    QStringList actionNames() const override
    {
        return QStringList{showMenuAction(), pressAction()};
    }

    void doAction(const QString& action) override
    {
        if (action != showMenuAction() && action != pressAction())
            return;
        if (list()->view()->isVisible())
            list()->hidePopup();
        else
            list()->showPopup();
    }

    QStringList keyBindingsForAction(const QString&) const override { return {}; }

    // The text: the current item, which the user cannot edit nor select a part of.
    QString text(int startOffset, int endOffset) const override
    {
        return current().mid(startOffset, endOffset - startOffset);
    }
    int characterCount() const override { return int(current().size()); }
    int cursorPosition() const override { return 0; }
    void setCursorPosition(int) override {}
    void selection(int, int* startOffset, int* endOffset) const override
    {
        *startOffset = *endOffset = 0;
    }
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    QString attributes(int, int* startOffset, int* endOffset) const override
    {
        *startOffset = 0;
        *endOffset = characterCount();
        return {};
    }
    int offsetAtPoint(const QPoint& point) const override
    {
        for (int offset = 0; offset < characterCount(); ++offset) {
            if (characterRect(offset).contains(point))
                return offset;
        }
        return -1;
    }
    void scrollToSubstring(int, int) override {}

    // Where the list draws its item's letters, on the screen.
    QRect characterRect(int offset) const override
    {
        const QString text = current();
        if (offset < 0 || offset >= text.size())
            return {};
        QStyleOptionComboBox option;
        option.initFrom(list());
        const QRect field = list()->style()->subControlRect(QStyle::CC_ComboBox, &option,
                                                            QStyle::SC_ComboBoxEditField, list());
        const QFontMetrics metrics = list()->fontMetrics();
        const int left = field.left() + metrics.horizontalAdvance(text.left(offset));
        const QRect letter(left, field.top(), metrics.horizontalAdvance(text.at(offset)),
                           field.height());
        return QRect(list()->mapToGlobal(letter.topLeft()), letter.size());
    }

private:
    QComboBox* list() const { return static_cast<QComboBox*>(widget()); }
    QString current() const { return list()->currentText(); }
};

void sendFocus(QAccessibleInterface* to)
{
    if (!to)
        return;
    QAccessibleEvent focus(to, QAccessible::Focus);
    tellListener(&focus);
    QAccessible::updateAccessibility(&focus);
}

// Keeps a screen reader's focus where the user's keyboard is on a list: on the item a closed,
// focused list now shows, and back on the list itself when its popup closes, so that the
// chosen item is read with the list's name.
class ListFocusTracker : public QObject
{
public:
    explicit ListFocusTracker(QComboBox* list) : QObject(list), m_list(list)
    {
        connect(list, &QComboBox::currentIndexChanged, this, &ListFocusTracker::itemChanged);
        list->installEventFilter(this);
        if (list->testAttribute(Qt::WA_WState_Polished))
            watchPopup();
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        // The popup is watched from the list's polishing on, which comes before the list can be
        // shown and open it; made at the window's creation, the popup would cost the start-up.
        if (watched == m_list && event->type() == QEvent::Polish)
            watchPopup();
        const bool popup = watched != m_list;
        if (event->type() == QEvent::Hide && popup) {
            // The choice made in the popup is taken only after the popup has gone, and the
            // keyboard's focus may still be on its way back to the list.
            m_popupClosing = true;
            QTimer::singleShot(0, this, [this] {
                m_popupClosing = false;
                const QWidget* keyboardFocus = QApplication::focusWidget();
                if (keyboardFocus == m_list || keyboardFocus == m_list->view())
                    focusList();
                else
                    m_focusListWhenBack = true;
            });
        } else if (event->type() == QEvent::FocusIn && watched == m_list &&
                   std::exchange(m_focusListWhenBack, false)) {
            focusList();
        } else if (event->type() == QEvent::Show && popup) {
            m_focusListWhenBack = false;
        }
        return false;
    }

private:
    void watchPopup()
    {
        if (!std::exchange(m_watchingPopup, true))
            m_list->view()->window()->installEventFilter(this);
    }

    void itemChanged(int index)
    {
        // An emptied list (index -1) has no item to point at.
        if (index < 0 || m_popupClosing || !m_list->hasFocus() || m_list->view()->isVisible())
            return;
        QAccessibleInterface* items = QAccessible::queryAccessibleInterface(m_list->view());
        sendFocus(items ? items->child(index) : nullptr);
    }

    void focusList() { sendFocus(QAccessible::queryAccessibleInterface(m_list)); }

    QComboBox* m_list;
    bool m_watchingPopup = false;
    bool m_popupClosing = false;
    bool m_focusListWhenBack = false;
};

QAccessibleInterface* programInterface(const QString& className, QObject* object)
{
    if (!object || !object->isWidgetType())
        return nullptr;
    auto* widget = static_cast<QWidget*>(object);
    // A list the user can type into keeps the toolkit's interface, which also has its edit field.
    if (className == QLatin1String("QComboBox") && !static_cast<QComboBox*>(widget)->isEditable()) {
        auto* list = static_cast<QComboBox*>(widget);
        new ListFocusTracker(list);
        return new ChoiceListAccessible(list);
    }
    // Only at the window's own class, so a subclass the toolkit knows keeps its own.
    if (widget->isWindow() && className == QLatin1String(object->metaObject()->className()) &&
        className.startsWith(QLatin1String("TForm"))) {
        return new WindowAccessible(widget, qobject_cast<QDialog*>(widget) ? QAccessible::Dialog
                                                                           : QAccessible::Window);
    }
    if (className == QLatin1String("QWidget") && object->objectName() == kNotifierName)
        return new QAccessibleWidget(widget, QAccessible::Notification);
    return nullptr;
}

} // namespace

namespace Accessibility {

void install()
{
    static const bool installed = (QAccessible::installFactory(programInterface), true);
    Q_UNUSED(installed);
}

void announce(QWidget* window, const QString& message)
{
    auto* notifier = window->findChild<QWidget*>(kNotifierName, Qt::FindDirectChildrenOnly);
    if (!notifier) {
        notifier = new QWidget(window);
        notifier->setObjectName(kNotifierName);
        notifier->setFocusPolicy(Qt::NoFocus);
        notifier->resize(0, 0);
    }
    // Appearing is what a screen reader reads; hidden first, it appears again for every message.
    notifier->hide();
    notifier->setAccessibleName(message);
    notifier->show(); // the toolkit tells assistive tools that it appeared
    QAccessibleEvent shown(notifier, QAccessible::ObjectShow);
    tellListener(&shown);
}

void setEventListener(EventListener listener)
{
    eventListener() = std::move(listener);
}

} // namespace Accessibility
