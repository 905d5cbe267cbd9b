// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QtGlobal>

#include <functional>

class QPainter;
class QPrinter;
class QWidget;

// The printing itself: the print dialog, the printer and the page sent to it. It is the only
// part of the program that needs Qt Print Support; on Linux it is built as a module of its own
// and loaded at the first print, so the start-up does not load that library.

// Gets the printer as the print dialog would and returns whether the user confirmed.
using PrintDialogAnswer = std::function<bool(QPrinter&)>;

struct PrintJob
{
    // The print dialog's window.
    QWidget* parent = nullptr;
    // Asked instead of showing the print dialog, when set.
    PrintDialogAnswer answer;
    // The job's name in the print system's queue.
    QString documentName;
    qreal marginMillimetres = 0;
    // Draws the page, A4 or Letter, inside the margins.
    std::function<void(QPainter&)> paint;
};

// Asks for a printer and prints the page on it. failure stays empty when the page was printed
// or the user cancelled; otherwise it says what went wrong.
extern "C" Q_DECL_EXPORT void kartakPrint(const PrintJob& job, QString* failure);
using PrintFunction = void (*)(const PrintJob&, QString*);
inline constexpr char kPrintFunctionName[] = "kartakPrint";
