#include "TForm2.h"

#include "ButtonPanel.h"
#include "Fonts.h"
#include "MemoLines.h"
#include "ProgramInfo.h"
#include "RunHandler.h"
#include "TextFile.h"
#include "WindowPlacement.h"

#include <QAccessibleWidget>
#include <QKeyEvent>

namespace {

// What the memo says until "about.ktd" has been read, and after it failed to be.
QStringList builtInLines()
{
    QStringList stars;
    for (int i = 0; i < 24; ++i)
        stars << QStringLiteral("*");
    return {
        QStringLiteral("KARTÁK 2 - Program pro snadné vytváření osobního deníku do DrD  "),
        QString(),
        QStringLiteral("Autor: %1 (%2)").arg(ProgramInfo::AuthorName, ProgramInfo::AuthorEmail),
        QStringLiteral("Web:  ") + ProgramInfo::AuthorWeb,
        QString(),
        stars.join(QStringLiteral("    ")),
        QStringLiteral("Chyba - Soubor 'about.ktd' nenalezen, nemohu načíst externí data!"),
    };
}

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

TForm2::TForm2(QWidget* parent) : QDialog(parent)
{
    // Once per program, before any tool asks about the panel.
    static const bool panelAccessible = (QAccessible::installFactory(panelButtonAccessible), true);
    Q_UNUSED(panelAccessible);
    setupUi(this);
    // A fixed single border with the system menu and its close button only.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                   Qt::MSWindowsFixedSizeDialogHint);
    setAttribute(Qt::WA_QuitOnClose, false);
    Fonts::applyPixelSizes(this);
    setFixedSize(393, 414);

    // The text lies flat on the window, on the button-face colour.
    QPalette memoPalette = Memo1->palette();
    memoPalette.setColor(QPalette::Base, memoPalette.color(QPalette::Button));
    Memo1->setPalette(memoPalette);
    MemoLines::fill(Memo1, builtInLines());

    connect(Panel1, &ButtonPanel::clicked, this, [this] { runHandler([this] { Panel1Click(); }); });
}

void TForm2::FormCreate()
{
    MemoLines::fill(Memo1, TextFile::loadLines(QStringLiteral("about.ktd")));
}

void TForm2::Panel1Click()
{
    hide();
}

void TForm2::setVisible(bool visible)
{
    if (visible)
        placeCentredOnce(this);
    QDialog::setVisible(visible);
}

void TForm2::keyPressEvent(QKeyEvent* event)
{
    // Only the panel and the title-bar close button leave the window, not Escape.
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}
