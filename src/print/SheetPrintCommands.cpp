// SPDX-License-Identifier: GPL-3.0-or-later
#include "print/SheetPrintCommands.h"

#include "files/KartakError.h"
#include "files/SafeFileName.h"
#include "files/TextFile.h"
#include "platform/MessageBox.h"
#include "platform/RunHandler.h"
#ifdef KARTAK_PRINT_MODULE
#include "platform/ProgramModule.h"
#endif

#include <QAction>
#include <QContextMenuEvent>
#include <QDir>
#include <QMenu>
#include <QPainter>
#include <QShortcut>
#include <QWidget>

#include <algorithm>
#include <optional>
#include <utility>

#ifdef Q_OS_LINUX
#include <malloc.h>
#endif

namespace {

PrintDialogAnswer g_nextAnswer;

// A page takes a few large blocks for a moment (the title's pixels, the compressed document).
// Once glibc has raised its mmap threshold it keeps such freed blocks in the heap, which then
// stays megabytes larger after a series of saves; hand them back to the system.
void returnFreedMemory()
{
#ifdef __GLIBC__
    malloc_trim(0);
#endif
}

// The printing, linked in or from its module; null when the module is missing.
PrintFunction printFunction()
{
#ifdef KARTAK_PRINT_MODULE
    static const auto print = reinterpret_cast<PrintFunction>(
        ProgramModule::resolve(KARTAK_PRINT_MODULE, kPrintFunctionName));
    return print;
#else
    return &kartakPrint;
#endif
}

} // namespace

SheetPrintCommands::SheetPrintCommands(QWidget* window, QWidget* sheetFrame, InputSource input,
                                       Confirmation confirm)
    : QObject(window), m_window(window), m_sheetFrame(sheetFrame), m_input(std::move(input)),
      m_confirm(std::move(confirm)), m_menu(new QMenu(window)),
      m_printAction(new QAction(QStringLiteral("&Tisk osobního deníku…"), window)),
      m_pdfAction(new QAction(QStringLiteral("Uložit jako &PDF…"), window))
{
    m_printAction->setObjectName(QStringLiteral("printSheetAction"));
    m_pdfAction->setObjectName(QStringLiteral("savePdfAction"));
    m_printAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
    m_printAction->setShortcutContext(Qt::WindowShortcut);
    m_printAction->setShortcutVisibleInContextMenu(true);
    for (QAction* action : {m_printAction, m_pdfAction}) {
        action->setEnabled(false);
        // Added to the window too, so Ctrl+P works while the menu is closed.
        m_window->addAction(action);
        m_menu->addAction(action);
    }
    connect(m_printAction, &QAction::triggered, this, [this] { runHandler([this] { print(); }); });
    connect(m_pdfAction, &QAction::triggered, this, [this] { runHandler([this] { savePdf(); }); });

    // The menu is the desktop's, in its font and colours, not part of the window's fixed layout;
    // so it has no object name among the form's controls.
    m_menu->setAccessibleName(QStringLiteral("Osobní deník"));
    m_saveDialog.title = QStringLiteral("Uložit osobní deník jako PDF");
    m_saveDialog.filterName = QStringLiteral("Dokument PDF");
    m_saveDialog.filterPattern = QStringLiteral("*.pdf");
    m_saveDialog.defaultSuffix = QStringLiteral("pdf");

    // The keyboard's ways to a context menu open the sheet's menu wherever the focus is.
    for (const QKeySequence& keys :
         {QKeySequence(Qt::Key_Menu), QKeySequence(Qt::SHIFT | Qt::Key_F10)}) {
        auto* shortcut = new QShortcut(keys, m_window);
        connect(shortcut, &QShortcut::activated, this, [this] {
            showMenu(m_window->mapToGlobal(m_sheetFrame->geometry().topLeft() + QPoint(16, 16)),
                     true);
        });
    }
    m_window->installEventFilter(this);
}

SheetPrintCommands::~SheetPrintCommands() = default;

void SheetPrintCommands::generated(const PrintedSheet::Equipment& equipment)
{
    m_equipment = equipment;
    m_printAction->setEnabled(true);
    m_pdfAction->setEnabled(true);
}

void SheetPrintCommands::setNextPrintDialogAnswer(PrintDialogAnswer answer)
{
    g_nextAnswer = std::move(answer);
}

bool SheetPrintCommands::eventFilter(QObject* watched, QEvent* event)
{
    // The sheet's labels and frame have no menus of their own, so a right click on any of them
    // arrives here, in the window's coordinates.
    if (watched == m_window && event->type() == QEvent::ContextMenu) {
        const auto* request = static_cast<QContextMenuEvent*>(event);
        if (m_sheetFrame->geometry().contains(request->pos())) {
            showMenu(request->globalPos(), request->reason() != QContextMenuEvent::Mouse);
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

void SheetPrintCommands::showMenu(const QPoint& globalPosition, bool byKeyboard)
{
    m_menu->popup(globalPosition);
    // Opened from the keyboard, the menu starts on its first command, which a screen reader
    // then reads and Enter runs, as in the desktop's own menus.
    if (byKeyboard) {
        const QList<QAction*> actions = m_menu->actions();
        const auto usable = std::find_if(actions.begin(), actions.end(),
                                         [](const QAction* action) { return action->isEnabled(); });
        if (usable != actions.end())
            m_menu->setActiveAction(*usable);
    }
}

PrintedSheet::Input SheetPrintCommands::input() const
{
    PrintedSheet::Input input = m_input();
    input.equipment = m_equipment;
    return input;
}

void SheetPrintCommands::print()
{
    m_confirm();
    const PrintFunction printOn = printFunction();
    if (!printOn)
        throw KartakError(QStringLiteral("Tisk není možný: chybí tisková část programu. "
                                         "Osobní deník lze uložit jako PDF"));
    const PrintedSheet::Input sheet = input();
    PrintJob job;
    job.parent = m_window;
    job.answer = std::exchange(g_nextAnswer, {});
    job.documentName = QStringLiteral("Osobní deník ") + sheet.sheet.name;
    job.marginMillimetres = PrintedSheet::MarginMillimetres;
    job.paint = [&sheet](QPainter& painter) { PrintedSheet::paint(painter, sheet); };
    QString failure;
    printOn(job, &failure);
    returnFreedMemory();
    if (!failure.isEmpty())
        throw KartakError(failure);
}

void SheetPrintCommands::savePdf()
{
    m_confirm();
    m_saveDialog.fileName = safeFileName(m_input().sheet.name, u".pdf");
    const std::optional<QString> chosen = m_saveDialog.execute(m_window);
    if (!chosen)
        return;
    // Written beside the target and swapped in whole, so a failed save keeps the old file.
    TextFile::saveBytes(*chosen, PrintedSheet::pdf(input()));
    returnFreedMemory();
    MessageBox::information(QStringLiteral("Osobní deník byl uložen do souboru ") +
                                QDir::toNativeSeparators(*chosen) + QLatin1Char('.'),
                            m_window);
}
