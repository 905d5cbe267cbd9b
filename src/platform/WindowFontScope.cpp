// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/WindowFontScope.h"

#include "platform/Fonts.h"

#include <QCoreApplication>
#include <QEvent>
#include <QFontDatabase>
#include <QGuiApplication>

namespace {

// An application font set by the program is no longer replaced by Qt when the desktop's font
// changes: the program follows the desktop itself, for every box and dialog made afterwards.
class DesktopFontFollower : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::ThemeChange)
            QGuiApplication::setFont(QFontDatabase::systemFont(QFontDatabase::GeneralFont));
        return QObject::eventFilter(watched, event);
    }
};

void followDesktopFont()
{
    QCoreApplication* app = QCoreApplication::instance();
    const QString name = QStringLiteral("desktopFontFollower");
    if (app->findChild<QObject*>(name, Qt::FindDirectChildrenOnly))
        return;
    auto* follower = new DesktopFontFollower(app);
    follower->setObjectName(name);
    app->installEventFilter(follower);
}

} // namespace

WindowFontScope::WindowFontScope() : m_desktop(QGuiApplication::font())
{
    followDesktopFont();
    // QGuiApplication's, not QApplication's: the widgets are not told, and the fonts kept for
    // classes of widgets are kept.
    QGuiApplication::setFont(Fonts::windowFont());
}

WindowFontScope::~WindowFontScope()
{
    QGuiApplication::setFont(m_desktop);
}
