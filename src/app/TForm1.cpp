// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/TForm1.h"

#include "character/TForm3.h"
#include "files/TextFile.h"
#include "platform/DefaultButton.h"
#include "platform/Fonts.h"
#include "platform/MessageBox.h"
#include "platform/ProgramInfo.h"
#include "platform/RunHandler.h"
#include "platform/WindowPlacement.h"
#include "platform/WindowSetup.h"
#include "windows/TForm2.h"
#include "windows/TForm6.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QEvent>

const QString TForm1::JokeMessage = QStringLiteral(
    "Application KARTAK2.EXE caused general protection fault at adress \"One Microsoft Way, "
    "Redmont, USA\". Please read carefully enclosed file \"error.ktd\".");

TForm1::TForm1(QWidget* parent) : QWidget(parent)
{
    Fonts::useDrawnFonts(this);
    setupUi(this);
    setWindowTitle(ProgramInfo::ApplicationTitle);
    setUpWindow(this,
                Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                    Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                    Qt::WindowCloseButtonHint,
                WindowRole::MainMenu);
    Label3->installEventFilter(this);
    installDefaultButton(this, Button1);

    connect(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });
    connect(Button2, &QPushButton::clicked, this, [this] { Button2Click(); });
    connect(Button3, &QPushButton::clicked, this, [this] { Button3Click(); });
    connect(Button4, &QPushButton::clicked, this, [this] { Button4Click(); });
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
    if (isVisible())
        fitVersionLabels();
}

void TForm1::fitVersionLabels()
{
    // Measuring a text loads its font, which nothing needs before the menu is first shown
    // (after the splash), so the labels take their text's size then.
    Label3->adjustSize();
    Label4->adjustSize();
    Label4->resize(qMin(Label4->width(), width() - Label4->x()), Label4->height());
}

void TForm1::showEvent(QShowEvent* event)
{
    fitVersionLabels();
    QWidget::showEvent(event);
}

void TForm1::Button1Click()
{
    runHandler([this] {
        if (m_character)
            showOrRaise(m_character);
    });
}

void TForm1::Button2Click()
{
    runHandler([this] {
        if (m_about)
            m_about->exec();
    });
}

void TForm1::Button3Click()
{
    runHandler([] { QCoreApplication::exit(0); });
}

void TForm1::Button4Click()
{
    runHandler([this] {
        if (!m_information)
            return;
        m_information->setLines(TextFile::loadLines(QStringLiteral("Beta.ktd")));
        m_information->exec();
    });
}

void TForm1::Label3DblClick()
{
    runHandler([this] {
        MessageBox::information(JokeMessage, this);
        QCoreApplication::exit(0);
    });
}

bool TForm1::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == Label3 && event->type() == QEvent::MouseButtonDblClick) {
        Label3DblClick();
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
