// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Character.h"
#include "SaveDialog.h"
#include "SoundPlayer.h"
#include "TipOfTheDay.h"
#include "ui_TForm3.h"

#include <QTime>
#include <QWidget>

#include <functional>

class SheetPrintCommands;
class TForm5;

// The character window: the user's choices on the left, the generated sheet on the right.
// Created once at start-up and only hidden when closed, so every choice and the sheet stay.
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
    void setNoticeWindow(QWidget* notice); // Form4, shown by the copy command
    void setTipWindow(TForm5* tip);        // Form5, shown by "Tip dne"

    // The time of day the generation seeds from; UTC now unless a test sets another clock.
    using Clock = std::function<QTime()>;
    void setClock(Clock clock);

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

    static const QString TempSheetFile; // "Ka2Temp.ktd"

protected:
    void mouseMoveEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void connectHandlers();
    void makeRadioGroupOneTabStop();
    void fitLabelsToText();

    void rangedChange(QComboBox* list);
    void refuseOrConfirm(bool permitted, QComboBox* list);
    void setMoneyMaximum(int maximum, int tickInterval);

    void generate();
    void setBusy(bool busy);
    void announceNewCharacter();
    Choices currentChoices() const;
    quint32 seedFromClock() const;
    void writeSheet(const SheetTexts& sheet);
    void writeCombatNumbers(const CombatNumbers& combat);
    void advanceTip();

    SheetTexts sheetFieldTexts() const;
    void saveSheet();
    void copySheet();
    void cutMemoToClipboard();

    void setField(QLabel* field, const QString& text);
    void setFieldColor(QLabel* field, FieldColor color);
    void showOverwriteWarning(bool shown);

    QWidget* m_notice = nullptr;
    TForm5* m_tipWindow = nullptr;
    Clock m_clock;
    bool m_userMovesSlider = false;
    bool m_button1HadFocus = false;
    CombatNumbers m_generationResults;
    TipOfTheDay m_tipOfTheDay;
    SheetPrintCommands* m_printCommands = nullptr;
};
