// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/SaveDialog.h"
#include "print/PrintJob.h"
#include "print/PrintedSheet.h"

#include <QObject>

#include <functional>

class QAction;
class QMenu;
class QWidget;

// The character window's print and PDF commands: "Tisk osobního deníku…" (also Ctrl+P) and
// "Uložit jako PDF…", offered by the sheet frame's context menu (a right click inside the
// frame, or the Menu key or Shift+F10 anywhere in the window). Both stay disabled until the
// first generation, as the HTML save does.
class SheetPrintCommands : public QObject
{
    Q_OBJECT
public:
    // What the page is drawn from at the moment a command runs (the equipment comes from
    // generated()); and the confirmation sound each command opens with, which may throw.
    using InputSource = std::function<PrintedSheet::Input()>;
    using Confirmation = std::function<void()>;

    SheetPrintCommands(QWidget* window, QWidget* sheetFrame, InputSource input,
                       Confirmation confirm);
    ~SheetPrintCommands() override;

    // A generation has just been made with this equipment: the commands are enabled for the
    // rest of the run and print that equipment until the next generation.
    void generated(const PrintedSheet::Equipment& equipment);

    QAction* printAction() const { return m_printAction; }
    QAction* pdfAction() const { return m_pdfAction; }
    QMenu* menu() const { return m_menu; }

    // Test seam: the next print command asks this instead of showing the print dialog. It gets
    // the printer as the dialog would and returns whether the user confirmed.
    static void setNextPrintDialogAnswer(PrintDialogAnswer answer);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showMenu(const QPoint& globalPosition, bool byKeyboard);
    void print();
    void savePdf();
    PrintedSheet::Input input() const;

    QWidget* m_window;
    QWidget* m_sheetFrame;
    InputSource m_input;
    Confirmation m_confirm;
    QMenu* m_menu;
    QAction* m_printAction;
    QAction* m_pdfAction;
    SaveDialog m_saveDialog;
    PrintedSheet::Equipment m_equipment;
};
