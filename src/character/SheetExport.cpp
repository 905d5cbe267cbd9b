// SPDX-License-Identifier: GPL-3.0-or-later
#include "character/SheetExport.h"

#include "character/SheetView.h"
#include "export/HtmlSheet.h"
#include "export/PlainTextSheet.h"
#include "files/SafeFileName.h"
#include "files/TextFile.h"
#include "platform/MessageBox.h"
#include "platform/ProgramInfo.h"
#include "platform/SaveDialog.h"
#include "ui_TForm3.h"

#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QPlainTextEdit>
#include <QTextCursor>

const QString SheetExport::TempSheetFile = QStringLiteral("Ka2Temp.ktd");

SheetExport::SheetExport(QWidget& window, Ui::TForm3& form, SheetView& view, SaveDialog& dialog)
    : m_window(window), m_view(view), m_form(form), m_dialog(dialog)
{
    m_dialog.title = QStringLiteral("Exportovat osobní deník do souboru");
    m_dialog.filterName = QStringLiteral("HTML Dokument");
    m_dialog.filterPattern = QStringLiteral("*.htm");
    m_dialog.defaultSuffix = QStringLiteral("htm");
    m_dialog.fileName = QStringLiteral("*.htm");
}

bool SheetExport::save(const CombatNumbers& results, int money)
{
    HtmlSheet::Input input;
    input.sheet = m_view.read();
    // The dialog proposes the sheet's name as far as it makes a file name; the sheet itself
    // keeps the name as it is.
    m_dialog.fileName = safeFileName(input.sheet.name, QLatin1Char('.') + m_dialog.defaultSuffix);
    const std::optional<QString> chosen = m_dialog.execute(&m_window);
    if (!chosen)
        return false;

    input.combat = results;
    input.money = money;
    input.versionText = VersionText;
    input.author = {ProgramInfo::AuthorWeb, ProgramInfo::AuthorEmail};
    // Written beside the target and swapped in whole, so a failed save keeps the old file.
    TextFile::saveBytes(*chosen, HtmlSheet::bytes(input));
    MessageBox::information(QStringLiteral("Osobní deník byl uložen do souboru ") +
                                QDir::toNativeSeparators(*chosen) + QLatin1Char('.'),
                            &m_window);
    return true;
}

void SheetExport::copy(int money)
{
    TextFile::writeBytes(TempSheetFile, PlainTextSheet::bytes(m_view.read(), money));
    QPlainTextEdit* memo = m_form.Memo1;
    memo->setPlainText(TextFile::loadText(TempSheetFile));

    memo->selectAll();
    QTextCursor selection = memo->textCursor();
    // The memo keeps its lines as paragraphs; the clipboard gets them with CR LF, as loaded.
    QString text = selection.selectedText();
    text.replace(QChar::ParagraphSeparator, QStringLiteral("\r\n"));
    QGuiApplication::clipboard()->setText(text);
    selection.removeSelectedText();
    memo->setTextCursor(selection);

    QFile::remove(TempSheetFile);
    MessageBox::information(QStringLiteral("Osobní deník byl zkopírován do schránky."), &m_window);
}
