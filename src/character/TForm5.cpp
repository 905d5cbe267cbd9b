// SPDX-License-Identifier: GPL-3.0-or-later
#include "TForm5.h"

#include "DefaultButton.h"
#include "Fonts.h"
#include "LayoutPalette.h"
#include "RunHandler.h"

#include <QTextBlockFormat>
#include <QTextCursor>

const QString TForm5::InitialTip =
    QStringLiteral("Pošlete mě nějaké peníze a uděláte dobrý skutek...");

TForm5::TForm5(QWidget* parent) : QWidget(parent)
{
    setupUi(this);
    LayoutPalette::apply(this);
    // A dialog, so that X11 window managers too keep it above the character window that opens it.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                   Qt::MSWindowsFixedSizeDialogHint);
    // Only the main menu ends the program when it closes.
    setAttribute(Qt::WA_QuitOnClose, false);
    Fonts::applyPixelSizes(this);
    setFixedSize(281, 123);
    installDefaultButton(this, Button1);
    setTip(InitialTip);
    connect(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });
}

void TForm5::setTip(const QString& tip)
{
    // The box shows two or three lines; a tips file with a line of megabytes would keep the text
    // layout busy for minutes, so only the start of such a line is shown.
    constexpr qsizetype longestShown = 2000;
    Memo2->setPlainText(tip.left(longestShown));
    QTextCursor cursor(Memo2->document());
    cursor.select(QTextCursor::Document);
    QTextBlockFormat centred;
    centred.setAlignment(Qt::AlignHCenter);
    cursor.mergeBlockFormat(centred);
}

QString TForm5::tip() const
{
    return Memo2->toPlainText();
}

void TForm5::Button1Click()
{
    runHandler([this] { close(); });
}
