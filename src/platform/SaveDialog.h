// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPointer>
#include <QString>

#include <optional>

class QFileDialog;
class QWidget;

// The file-save dialog. Returns the chosen file's full path, with the default extension added
// when the user typed none, or nothing when the user cancelled. One dialog window serves every
// showing, so showing it again and again costs no memory.
// Test seam: setNextAnswer() answers the next showing without a window; lastProposal() tells
// what the dialog was asked to propose.
class SaveDialog
{
public:
    SaveDialog() = default;
    ~SaveDialog();
    SaveDialog(const SaveDialog&) = delete;
    SaveDialog& operator=(const SaveDialog&) = delete;

    QString title;
    QString filterName;    // "HTML Dokument"
    QString filterPattern; // "*.htm"
    QString defaultSuffix; // "htm"
    QString fileName;      // proposed before showing

    std::optional<QString> execute(QWidget* parent = nullptr);

    // A file name (relative names resolve against the current directory, and the default
    // suffix is added as the real dialog does) or std::nullopt for cancel.
    static void setNextAnswer(std::optional<QString> answer);
    static void clearNextAnswer();
    static QString lastProposal();

    // Where the dialog opens: the folder of the last confirmed save in this run, else the
    // user's documents, else the home folder; never the program's own folder, where its data
    // files lie (the current directory and the executable's folder).
    static QString startFolder();
    // Test seam: forgets the folder of the last save, as at the start of a run.
    static void forgetLastFolder();

private:
    QPointer<QFileDialog> m_dialog;
};
