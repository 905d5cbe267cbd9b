// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

class QComboBox;

// Picks an item as a user does with the keyboard: one arrow press onto it, which runs the list's
// change handler exactly once.
void chooseByUser(QComboBox* list, int index);

// Boxes are only recorded in tests (MessageBox::setRecording); these take what was recorded and
// fail the test unless it was exactly one box of that kind with that text.
void expectErrorBox(const QString& text);
void expectInformationBox(const QString& text);

// Every sound player that starts playing from now on sends its sound to a sink that records the
// request by file name and is never busy, so every play request reaches it; nothing is heard.
void recordPlayRequests();
// The requests recorded since the last call, in order.
QStringList takePlayRequests();
