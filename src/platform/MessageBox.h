// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

class QWidget;

// The program's two box styles, both captioned with the application title and with one OK button:
// the information message (no icon) and the standard error box (error icon, full stop added).
// Tests switch on recording: boxes are then not shown, only remembered, so no test blocks.
namespace MessageBox {

void information(const QString& text, QWidget* parent = nullptr);
void error(const QString& text, QWidget* parent = nullptr);

// The error box's text: a full stop is added when the text does not end in one.
QString errorText(const QString& text);

struct Shown
{
    enum Kind { Information, Error } kind;
    QString caption;
    QString text;
};

// Test seam.
void setRecording(bool on);
QList<Shown> takeShown();
} // namespace MessageBox
