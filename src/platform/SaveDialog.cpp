// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/SaveDialog.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
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

bool isProgramFolder(const QString& folder)
{
    const QString canonical = QFileInfo(folder).canonicalFilePath();
    return canonical == QFileInfo(QDir::currentPath()).canonicalFilePath() ||
           (QCoreApplication::instance() &&
            canonical == QFileInfo(QCoreApplication::applicationDirPath()).canonicalFilePath());
}

QString confirmed(const QString& path, const QString& suffix)
{
    const QFileInfo chosen(path);
    g_lastFolder = chosen.absolutePath();
    return withDefaultSuffix(chosen.absoluteFilePath(), suffix);
}

} // namespace

SaveDialog::~SaveDialog()
{
    delete m_dialog.data();
}

QString SaveDialog::startFolder()
{
    const QString candidates[] = {
        g_lastFolder, QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation),
        QDir::homePath()};
    for (const QString& folder : candidates) {
        if (!folder.isEmpty() && QFileInfo(folder).isDir() && !isProgramFolder(folder))
            return folder;
    }
    return QDir::homePath();
}

void SaveDialog::forgetLastFolder()
{
    g_lastFolder.clear();
}

std::optional<QString> SaveDialog::execute(QWidget* parent)
{
    g_lastProposal = fileName;
    if (g_hasNextAnswer) {
        g_hasNextAnswer = false;
        if (!g_nextAnswer)
            return std::nullopt;
        return confirmed(QFileInfo(QDir::current(), *g_nextAnswer).absoluteFilePath(),
                         defaultSuffix);
    }

    // The program finds its own files by bare name in its folder, so whatever folder the user
    // visits in the dialog must not become the current directory.
    const QString currentDir = QDir::currentPath();
    if (!m_dialog) {
        m_dialog = new QFileDialog(parent);
        m_dialog->setAcceptMode(QFileDialog::AcceptSave);
        m_dialog->setFileMode(QFileDialog::AnyFile);
        m_dialog->setOption(QFileDialog::DontConfirmOverwrite, true);
    }
    QFileDialog& dialog = *m_dialog;
    dialog.setWindowTitle(title);
    dialog.setNameFilter(QStringLiteral("%1 (%2)").arg(filterName, filterPattern));
    dialog.setDefaultSuffix(defaultSuffix);
    dialog.setDirectory(startFolder());
    dialog.selectFile(fileName);
    // The dialog ignores an empty name, which would leave the last showing's name proposed.
    if (fileName.isEmpty()) {
        if (auto* nameEdit = dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit")))
            nameEdit->clear();
    }
    const bool accepted = dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty();
    QDir::setCurrent(currentDir);
    if (!accepted)
        return std::nullopt;
    return confirmed(dialog.selectedFiles().constFirst(), defaultSuffix);
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
