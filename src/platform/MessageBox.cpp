// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/MessageBox.h"

#include "platform/ProgramInfo.h"

#include <QApplication>
#include <QMessageBox>

#include <cstdio>

namespace {

bool g_recording = false;
QList<MessageBox::Shown> g_shown;

void show(MessageBox::Shown::Kind kind, const QString& text, QWidget* parent)
{
    const QString caption = ProgramInfo::ApplicationTitle;
    if (g_recording) {
        g_shown.append({kind, caption, text});
        return;
    }
    // An error box also goes to standard error, where one who started the program from a
    // terminal, or a check that started it, reads it.
    if (kind == MessageBox::Shown::Error)
        std::fprintf(stderr, "%s: %s\n", qUtf8Printable(caption), qUtf8Printable(text));
    QMessageBox box(kind == MessageBox::Shown::Error ? QMessageBox::Critical : QMessageBox::NoIcon,
                    caption, text, QMessageBox::Ok, parent ? parent : QApplication::activeWindow());
    // Names, file paths and texts read from files are shown as they are, never as markup.
    box.setTextFormat(Qt::PlainText);
    box.setDefaultButton(QMessageBox::Ok);
    box.setEscapeButton(QMessageBox::Ok);
    box.exec();
}

} // namespace

namespace MessageBox {

void information(const QString& text, QWidget* parent)
{
    show(Shown::Information, text, parent);
}

void error(const QString& text, QWidget* parent)
{
    show(Shown::Error, errorText(text), parent);
}

QString errorText(const QString& text)
{
    return text.endsWith(QLatin1Char('.')) ? text : text + QLatin1Char('.');
}

void setRecording(bool on)
{
    g_recording = on;
    g_shown.clear();
}

QList<Shown> takeShown()
{
    return std::exchange(g_shown, {});
}

} // namespace MessageBox
