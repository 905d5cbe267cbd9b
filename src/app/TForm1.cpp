// SPDX-License-Identifier: GPL-3.0-or-later
#include "TForm1.h"

#include "DefaultButton.h"
#include "Fonts.h"
#include "LayoutPalette.h"
#include "MessageBox.h"
#include "ProgramInfo.h"
#include "RunHandler.h"
#include "TForm2.h"
#include "TForm3.h"
#include "TForm6.h"
#include "TextFile.h"
#include "WindowPlacement.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QEvent>

const QString TForm1::JokeMessage = QStringLiteral(
    "Application KARTAK2.EXE caused general protection fault at adress \"One Microsoft Way, "
    "Redmont, USA\". Please read carefully enclosed file \"error.ktd\".");

TForm1::TForm1(QWidget* parent) : QWidget(parent)
{
    setupUi(this);
    LayoutPalette::apply(this);
    setWindowTitle(ProgramInfo::ApplicationTitle);
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                   | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint
                   | Qt::WindowCloseButtonHint);
    Fonts::applyPixelSizes(this);
    setFixedSize(467, 279);
    Label3->adjustSize();
    Label4->adjustSize();
    Label3->installEventFilter(this);
    installDefaultButton(this, Button1);

    connect(Button1, &QPushButton::clicked, this, [this] { runHandler([this] { Button1Click(); }); });
    connect(Button2, &QPushButton::clicked, this, [this] { runHandler([this] { Button2Click(); }); });
    connect(Button3, &QPushButton::clicked, this, [this] { runHandler([this] { Button3Click(); }); });
    connect(Button4, &QPushButton::clicked, this, [this] { runHandler([this] { Button4Click(); }); });
    Button1->setFocus();
}

void TForm1::setWindows(TForm2* about, TForm3* character, TForm6* information)
{
    m_about = about;
    m_character = character;
    m_information = information;
}

void TForm1::FormCreate()
{
    // The version file is only ever read, never opened for writing: an installed copy keeps its
    // data in a system folder that no player may write, and the version must show there too.
    VersionText = TextFile::readFirstLine(QStringLiteral("version.ktd"));
    showVersion(VersionText);
}

void TForm1::showVersion(const QString& version)
{
    // The label grows to the right with its text and the window's edge cuts off the rest, so a
    // huge version line is shortened first: laying out megabytes of text would stall the start.
    constexpr int longestShown = 1024;
    Label4->setText(version.left(longestShown));
    Label4->adjustSize();
    Label4->resize(qMin(Label4->width(), width() - Label4->x()), Label4->height());
}

void TForm1::Button1Click()
{
    if (!m_character)
        return;
    showOrRaise(m_character);
}

void TForm1::Button2Click()
{
    if (!m_about)
        return;
    m_about->exec();
}

void TForm1::Button3Click()
{
    QCoreApplication::exit(0);
}

void TForm1::Button4Click()
{
    if (!m_information)
        return;
    m_information->setLines(TextFile::loadLines(QStringLiteral("Beta.ktd")));
    m_information->exec();
}

void TForm1::Label3DblClick()
{
    MessageBox::information(JokeMessage, this);
    QCoreApplication::exit(0);
}

bool TForm1::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == Label3 && event->type() == QEvent::MouseButtonDblClick) {
        runHandler([this] { Label3DblClick(); });
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void TForm1::closeEvent(QCloseEvent* event)
{
    // The main window's close ends the program, whatever other windows are open.
    event->accept();
    QCoreApplication::exit(0);
}
