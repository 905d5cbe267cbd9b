// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/WindowPlacement.h"

#include <QCoreApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QPointer>
#include <QScreen>
#include <QStyle>
#include <QVariant>
#include <QWidget>
#include <QWindow>

namespace {

const char* const kOwner = "kartakOwner";
const char* const kWatched = "kartakKeepsItsSize";

void applyOwner(QWidget* window)
{
    QWidget* owner = ownerOf(window);
    QWindow* handle = window->windowHandle();
    if (!handle)
        return;
    // An owner that has never been shown has no native window yet; one is made for it, so the
    // relation holds once both are on the screen.
    if (owner && !owner->windowHandle())
        owner->winId();
    handle->setTransientParent(owner ? owner->windowHandle() : nullptr);
}

// Full screen is left alone: a Wayland compositor shows a full-screen window that is smaller than
// the screen centred on black, and a full-screen request turned back at once, unlike a maximise
// request, leaves weston configuring a state the window no longer has.
constexpr Qt::WindowStates kMaximised = Qt::WindowMaximized;

bool hasFixedSize(const QWidget* window)
{
    return window->minimumSize() == window->maximumSize();
}

// Turns a maximise request back as soon as the native window takes it, before the program
// returns to the event loop, so the request and its reversal reach the window system together and
// it never configures the window at a size it cannot have. A maximise that the window system
// starts on its own arrives already acknowledged in the window's size; it is turned back too, but
// a compositor that maximises windows of fixed size regardless (weston's Super+Shift+M) may still
// find the next frame too small.
void watchState(QWidget* window)
{
    QWindow* handle = window->windowHandle();
    if (!handle || handle->property(kWatched).toBool())
        return;
    handle->setProperty(kWatched, true);
    QObject::connect(
        handle, &QWindow::windowStateChanged, handle, [handle, widget = QPointer<QWidget>(window)] {
            if (!widget || !hasFixedSize(widget) || !(handle->windowStates() & kMaximised))
                return;
            handle->setWindowStates(handle->windowStates() & ~kMaximised);
            if (widget->windowState() & kMaximised)
                widget->setWindowState(widget->windowState() & ~kMaximised);
        });
}

class WindowRules : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        // A window's show event comes after its native window exists and before it is mapped.
        if (event->type() == QEvent::Show && watched->isWidgetType()) {
            auto* window = static_cast<QWidget*>(watched);
            if (window->isWindow() && hasFixedSize(window))
                watchState(window);
        }
        return false;
    }
};

class OwnerRule : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Show)
            applyOwner(static_cast<QWidget*>(watched));
        return false;
    }
};

} // namespace

void placeCentredOnce(QWidget* window)
{
    static const char* const placed = "kartakPlaced";
    if (window->property(placed).toBool())
        return;
    window->setProperty(placed, true);
    const QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    window->ensurePolished();
    const QSize frame = window->frameGeometry().size().expandedTo(window->size());
    const QRect area = screen->availableGeometry();
    window->move(area.center() - QPoint(frame.width() / 2, frame.height() / 2));
}

void showOrRaise(QWidget* window)
{
    placeCentredOnce(window);
    window->show();
    window->raise();
    window->activateWindow();
}

void setOwner(QWidget* window, QWidget* owner)
{
    const bool first = !window->property(kOwner).isValid();
    window->setProperty(kOwner, QVariant::fromValue(QPointer<QWidget>(owner)));
    if (first)
        window->installEventFilter(new OwnerRule(window));
    if (window->isVisible())
        applyOwner(window);
}

QWidget* ownerOf(const QWidget* window)
{
    return window->property(kOwner).value<QPointer<QWidget>>().data();
}

void keepFixedWindowsUnmaximised(QObject* parent)
{
    QCoreApplication::instance()->installEventFilter(new WindowRules(parent));
}
