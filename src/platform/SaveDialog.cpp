// SPDX-License-Identifier: GPL-3.0-or-later
#include "SaveDialog.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

bool g_hasNextAnswer = false;
std::optional<QString> g_nextAnswer;
QString g_lastProposal;
QString g_lastFolder;

QString withDefaultSuffix(const QString& path, const QString& suffix)
{
    if (suffix.isEmpty() || !QFileInfo(path).suffix().isEmpty())
        return path;
    return path + QLatin1Char('.') + suffix;
}

} // namespace

QString SaveDialog::startFolder(const QString& currentDir)
{
    if (!g_lastFolder.isEmpty() && QFileInfo(g_lastFolder).isDir())
        return g_lastFolder;
    if (QFileInfo(currentDir).isWritable())
        return currentDir;
    const QString documents =
        QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return QFileInfo(documents).isDir() ? documents : QDir::homePath();
}

std::optional<QString> SaveDialog::execute(QWidget* parent)
{
    g_lastProposal = fileName;
    if (g_hasNextAnswer) {
        g_hasNextAnswer = false;
        if (!g_nextAnswer)
            return std::nullopt;
        return withDefaultSuffix(QFileInfo(QDir::current(), *g_nextAnswer).absoluteFilePath(),
                                 defaultSuffix);
    }

    // The program finds its own files by bare name in its folder, so whatever folder the user
    // visits in the dialog must not become the current directory.
    const QString currentDir = QDir::currentPath();
    QFileDialog dialog(parent, title);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilter(QStringLiteral("%1 (%2)").arg(filterName, filterPattern));
    dialog.setDefaultSuffix(defaultSuffix);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
    dialog.setDirectory(startFolder(currentDir));
    dialog.selectFile(fileName);
    const bool accepted = dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty();
    QDir::setCurrent(currentDir);
    if (!accepted)
        return std::nullopt;
    const QFileInfo chosen(dialog.selectedFiles().constFirst());
    g_lastFolder = chosen.absolutePath();
    return withDefaultSuffix(chosen.absoluteFilePath(), defaultSuffix);
}

void SaveDialog::setNextAnswer(std::optional<QString> answer)
{
    g_hasNextAnswer = true;
    g_nextAnswer = std::move(answer);
}

void SaveDialog::clearNextAnswer()
{
    g_hasNextAnswer = false;
    g_nextAnswer.reset();
}

QString SaveDialog::lastProposal()
{
    return g_lastProposal;
}
