// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <optional>

class QWidget;

// The file-save dialog. Returns the chosen file's full path, with the default extension added
// when the user typed none, or nothing when the user cancelled.
// Test seam: setNextAnswer() answers the next showing without a window; lastProposal() tells
// what the dialog was asked to propose.
class SaveDialog
{
public:
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

    // Where the dialog opens: the folder of the last save, else the current directory. An
    // installed program's folder is not the user's to write in; then the user's documents.
    static QString startFolder(const QString& currentDir);
};
