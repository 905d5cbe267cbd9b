#include "TForm6.h"

#include "Fonts.h"
#include "MemoLines.h"
#include "RunHandler.h"
#include "WindowPlacement.h"

#include <QCloseEvent>
#include <QKeyEvent>

TForm6::TForm6(QWidget* parent) : QDialog(parent)
{
    setupUi(this);
    // A fixed dialog frame with a title but no buttons in it, not even close.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::MSWindowsFixedSizeDialogHint);
    setAttribute(Qt::WA_QuitOnClose, false);
    Fonts::applyPixelSizes(this);
    setFixedSize(608, 308);

    connect(Button1, &QPushButton::clicked, this,
            [this] { runHandler([this] { Button1Click(); }); });
}

void TForm6::setLines(const QStringList& lines)
{
    MemoLines::fill(Memo1, lines);
}

void TForm6::Button1Click()
{
    hide();
}

void TForm6::setVisible(bool visible)
{
    if (visible)
        placeCentredOnce(this);
    QDialog::setVisible(visible);
}

void TForm6::closeEvent(QCloseEvent* event)
{
    // Alt+F4 or the window manager: the window is left only through "OK".
    event->ignore();
}

void TForm6::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}
