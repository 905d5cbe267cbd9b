// SPDX-License-Identifier: GPL-3.0-or-later
#include "print/PrintJob.h"

#include <QDir>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>

namespace {

const QString kNoPrintSystem =
    QStringLiteral("Tisk není možný: v tomto počítači chybí tiskový systém. Osobní deník lze "
                   "uložit jako PDF");
const QString kNoPrinter =
    QStringLiteral("Tisk není možný: v systému není nastavena žádná tiskárna. Osobní deník lze "
                   "uložit jako PDF");

// The page is made for A4 and for Letter: the paper chosen in the dialog when it is one of
// them, else the printer's own default when that is Letter, else A4.
QPageSize::PageSizeId paperFor(const QPrinter& printer)
{
    const QPageSize::PageSizeId chosen = printer.pageLayout().pageSize().id();
    if (chosen == QPageSize::A4 || chosen == QPageSize::Letter)
        return chosen;
    return QPrinterInfo(printer).defaultPageSize().id() == QPageSize::Letter ? QPageSize::Letter
                                                                             : QPageSize::A4;
}

QString printerDescription(const QPrinter& printer)
{
    const QString name = printer.outputFormat() == QPrinter::PdfFormat
                             ? QDir::toNativeSeparators(printer.outputFileName())
                             : printer.printerName();
    return QStringLiteral("„") + name + QStringLiteral("“");
}

// Whether a printer was chosen; a text for the player when none can be.
bool askForPrinter(const PrintJob& job, QPrinter& printer, QString* failure)
{
    if (job.answer)
        return job.answer(printer);
    // Without a print system, or without a printer, the dialog would offer nothing to print on.
    if (printer.outputFormat() != QPrinter::NativeFormat) {
        *failure = kNoPrintSystem;
        return false;
    }
    if (QPrinterInfo::availablePrinterNames().isEmpty()) {
        *failure = kNoPrinter;
        return false;
    }
    QPrintDialog dialog(&printer, job.parent);
    // Files are written by "Uložit jako PDF…", through the program's safe save.
    dialog.setOption(QAbstractPrintDialog::PrintToFile, false);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
    dialog.setMinMax(1, 1);
    return dialog.exec() == QDialog::Accepted;
}

} // namespace

void kartakPrint(const PrintJob& job, QString* failure)
{
    QPrinter printer(QPrinter::HighResolution);
    if (!askForPrinter(job, printer, failure))
        return;
    // A printer Qt could not reach falls back to writing a PDF with no file name, which prints
    // nothing and reports no failure.
    if (printer.outputFormat() == QPrinter::PdfFormat && printer.outputFileName().isEmpty()) {
        *failure = kNoPrintSystem;
        return;
    }
    // Qt hands the job to the print system without looking at its answer, so a printer known to
    // be stopped is refused here instead of printing nothing.
    if (printer.outputFormat() == QPrinter::NativeFormat &&
        QPrinterInfo(printer).state() == QPrinter::Error) {
        *failure = QStringLiteral("Tiskárna ") + printerDescription(printer) +
                   QStringLiteral(" je zastavená a tisk nepřijme");
        return;
    }

    printer.setDocName(job.documentName);
    printer.setPageOrientation(QPageLayout::Portrait);
    printer.setPageSize(QPageSize(paperFor(printer)));
    const qreal margin = job.marginMillimetres;
    printer.setPageMargins(QMarginsF(margin, margin, margin, margin), QPageLayout::Millimeter);

    QPainter painter;
    if (!painter.begin(&printer)) {
        *failure = QStringLiteral("Tiskárna ") + printerDescription(printer) +
                   QStringLiteral(" nepřijala tisk");
        return;
    }
    job.paint(painter);
    const bool ended = painter.end();
    if (!ended || printer.printerState() == QPrinter::Error ||
        printer.printerState() == QPrinter::Aborted)
        *failure = QStringLiteral("Tisk na tiskárně ") + printerDescription(printer) +
                   QStringLiteral(" se nezdařil");
}
