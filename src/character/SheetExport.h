// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "rules/Character.h"

#include <QString>

class QWidget;
class SaveDialog;
class SheetView;
namespace Ui {
class TForm3;
}

// The character window's export commands: the sheet saved as an HTML file and the sheet copied
// to the clipboard as plain text. Both take the sheet as its fields show it.
class SheetExport
{
public:
    SheetExport(QWidget& window, Ui::TForm3& form, SheetView& view, SaveDialog& dialog);

    // Asks for a file name and writes the HTML sheet there; false when the user cancelled.
    bool save(const CombatNumbers& results, int money);
    // Writes the plain-text sheet to TempSheetFile, loads it into the memo and moves the memo's
    // text to the clipboard, as the sheet was always copied.
    void copy(int money);

    static const QString TempSheetFile; // "Ka2Temp.ktd"

private:
    QWidget& m_window;
    SheetView& m_view;
    Ui::TForm3& m_form;
    SaveDialog& m_dialog;
};
