// SPDX-License-Identifier: GPL-3.0-or-later
#include "character/TForm5.h"

#include "platform/DefaultButton.h"
#include "platform/Fonts.h"
#include "platform/RunHandler.h"
#include "platform/WindowSetup.h"

#include <QTextBlockFormat>
#include <QTextCursor>

const QString TForm5::InitialTip =
    QStringLiteral("Pošlete mě nějaké peníze a uděláte dobrý skutek...");

TForm5::TForm5(QWidget* parent) : QWidget(parent)
{
    Fonts::useDrawnFonts(this);
    setupUi(this);
    // A dialog, so that X11 window managers too keep it above the character window that opens it.
    setUpWindow(this, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                          Qt::MSWindowsFixedSizeDialogHint);
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
