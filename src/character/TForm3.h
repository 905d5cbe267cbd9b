// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "character/ChoicesView.h"
#include "character/SheetExport.h"
#include "character/SheetView.h"
#include "character/TipOfTheDay.h"
#include "platform/SaveDialog.h"
#include "platform/SoundPlayer.h"
#include "rules/Character.h"
#include "ui_TForm3.h"

#include <QTime>
#include <QWidget>

#include <functional>

class SheetPrintCommands;
class TForm5;

// The character window: the user's choices on the left, the generated sheet on the right.
// Created once at start-up and only hidden when closed, so every choice and the sheet stay.
// Its handlers read the choices through the choices view, write the sheet through the sheet
// view and run the save and copy commands through the sheet export.
class TForm3 : public QWidget, public Ui::TForm3
{
    Q_OBJECT
public:
    explicit TForm3(QWidget* parent = nullptr);
    ~TForm3() override;

    // Creation handler: opens the two sounds and selects the first item of every list. A sound
    // that cannot be opened throws and leaves the rest undone; start-up runs it in runHandler.
    void FormCreate();

    // The windows this one opens; start-up hands them over once every window exists.
    void setNoticeWindow(QWidget* notice) { m_notice = notice; } // Form4, shown by the copy
    void setTipWindow(TForm5* tip) { m_tipWindow = tip; }        // Form5, shown by "Tip dne"

    // The time of day the generation seeds from; UTC now unless a test sets another clock.
    using Clock = std::function<QTime()>;
    void setClock(Clock clock) { m_clock = std::move(clock); }

    // The combat numbers of the last generation, which the HTML sheet writes.
    const CombatNumbers& generationResults() const { return m_generationResults; }
    const TipOfTheDay& tipOfTheDay() const { return m_tipOfTheDay; }

    // The refusal and the confirmation sound.
    SoundPlayer MediaPlayer1;
    SoundPlayer MediaPlayer2;
    SaveDialog SaveDialog1;

    // Handlers. Each runs its body in runHandler, so a failing step shows the error box.
    void ComboBox1Change();
    void ComboBox2Change();
    void ComboBox3Change();
    void ComboBox4Change();
    void ComboBox5Change();
    void ComboBox6Change();
    void TrackBar1Change();
    void Button2Click();
    void Button1Click();
    void BitBtn1Click();
    void BitBtn2Click();
    void BitBtn3Click();
    void BitBtn5Click();
    void FormMouseMove();
    void Button1MouseMove();
    void BitBtn1MouseMove();
    void BitBtn2MouseMove();
    void BitBtn3MouseMove();
    void BitBtn5MouseMove();

protected:
    bool event(QEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void connectHandlers();
    void refuseOrConfirm(bool permitted, QComboBox* list);
    void setMoneyMaximum(int maximum, int tickInterval);
    void generate();
    void setBusy(bool busy);
    void advanceTip();
    void showOverwriteWarning(bool shown);

    ChoicesView m_choices;
    SheetView m_sheet;
    SheetExport m_export;
    QWidget* m_notice = nullptr;
    TForm5* m_tipWindow = nullptr;
    Clock m_clock;
    bool m_userMovesSlider = false;
    bool m_button1HadFocus = false;
    CombatNumbers m_generationResults;
    TipOfTheDay m_tipOfTheDay;
    SheetPrintCommands* m_printCommands = nullptr;
};
