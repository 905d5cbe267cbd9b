// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui_TForm1.h"

#include <QWidget>

class TForm2;
class TForm3;
class TForm6;

// The main menu: opens the character window, the About window and the beta notes, or ends
// the program. Closing it ends the program.
class TForm1 : public QWidget, public Ui::TForm1
{
    Q_OBJECT
public:
    explicit TForm1(QWidget* parent = nullptr);

    // The windows the menu opens; they are created after this one.
    void setWindows(TForm2* about, TForm3* character, TForm6* information);

    // Creation handler: reads the version line into VersionText and Label4.
    void FormCreate();

    void Button1Click();
    void Button2Click();
    void Button3Click();
    void Button4Click();
    void Label3DblClick();

    // The joke message shown before the program ends on a double-click of "verze".
    static const QString JokeMessage;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void showVersion(const QString& version);
    // "verze" and the version line take the size of their text.
    void fitVersionLabels();

    TForm2* m_about = nullptr;
    TForm3* m_character = nullptr;
    TForm6* m_information = nullptr;
};
