// SPDX-License-Identifier: GPL-3.0-or-later
// Figures a user feels: start-up's window creation, one generation, one HTML export, memory.
// Runs offscreen in a scratch copy of the program folder.
#include "app/Forms.h"
#include "app/Startup.h"
#include "character/TForm3.h"
#include "export/HtmlSheet.h"
#include "platform/MessageBox.h"
#include "platform/SaveDialog.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileDialog>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <vector>

#ifdef Q_OS_UNIX
#include <sys/resource.h>
#endif

namespace {

double median(std::vector<double> samples)
{
    std::sort(samples.begin(), samples.end());
    return samples[samples.size() / 2];
}

template <typename F> std::vector<double> timeRuns(int runs, F&& body)
{
    std::vector<double> ms;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        body();
        ms.push_back(timer.nsecsElapsed() / 1e6);
    }
    return ms;
}

// The resident memory now, in KiB, where the system tells it; -1 elsewhere.
long residentKiB()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toLong();
    }
    return -1;
}

void printGrowth(const char* what, long startKiB, long endKiB)
{
    if (startKiB < 0 || endKiB < 0) {
        std::printf("  %-38s  not measured on this system\n", what);
        return;
    }
    std::printf("  %-38s %+8.2f MB  (%.1f MB -> %.1f MB)\n", what, (endKiB - startKiB) / 1024.0,
                startKiB / 1024.0, endKiB / 1024.0);
}

// The peak resident memory in KiB; -1 where the system does not tell it this way.
long peakResidentKiB()
{
#ifdef Q_OS_UNIX
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
#ifdef Q_OS_MACOS
    return usage.ru_maxrss / 1024; // bytes there
#else
    return usage.ru_maxrss;
#endif
#else
    return -1;
#endif
}

} // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir folder;
    for (const char* name :
         {"version.ktd", "about.ktd", "Beta.ktd", "tips.ktd", "Problem.wav", "Success.wav"})
        QFile::copy(QDir(KARTAK_DATA_DIR).filePath(name), folder.filePath(name));
    QDir::setCurrent(folder.path());
    MessageBox::setRecording(true);
    prepareApplication(app);

    QElapsedTimer cold;
    cold.start();
    createForms();
    const double firstCreation = cold.nsecsElapsed() / 1e6;
    destroyForms();
    const auto creations = timeRuns(20, [] {
        createForms();
        destroyForms();
    });
    createForms();

    const auto generations = timeRuns(2000, [] { Form3->Button1->click(); });

    const QString sheet = folder.filePath("sheet.htm");
    const auto exports = timeRuns(500, [&] {
        SaveDialog::setNextAnswer(sheet);
        Form3->BitBtn2->click();
    });
    // The same sheet built in memory, without the file system's durable write.
    HtmlSheet::Input input;
    input.combat = Form3->generationResults();
    input.money = Form3->TrackBar1->value();
    input.sheet.name = Form3->Label7->text();
    input.sheet.raceAndProfession = Form3->Label10->text();
    QByteArray bytes;
    const auto writes = timeRuns(5000, [&] { bytes = HtmlSheet::bytes(input); });
    MessageBox::takeShown();

    // Memory over a long session: many generations, and many showings of the real save dialog,
    // each closed as soon as it is shown.
    const long beforeGenerations = residentKiB();
    for (int i = 0; i < 10000; ++i)
        Form3->Button1->click();
    const long afterGenerations = residentKiB();
    // The dialog opens in the folder of the last save, here the scratch folder's "sheets".
    QDir(folder.path()).mkdir(QStringLiteral("sheets"));
    SaveDialog::setNextAnswer(folder.filePath(QStringLiteral("sheets/first.htm")));
    Form3->BitBtn2->click();
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [] {
        if (auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget()))
            static_cast<QDialog*>(dialog)->accept(); // as the Save button does
    });
    closer.start(0);
    const long beforeDialogs = residentKiB();
    Form3->BitBtn2->click();
    const long afterFirstDialog = residentKiB();
    for (int i = 1; i < 200; ++i)
        Form3->BitBtn2->click();
    const long afterDialogs = residentKiB();
    closer.stop();
    MessageBox::takeShown();

    std::printf("Karták II benchmarks (offscreen, median of runs)\n");
    std::printf("  create all seven windows, first time  %8.2f ms\n", firstCreation);
    std::printf("  create all seven windows, again       %8.2f ms  (20 runs)\n", median(creations));
    std::printf("  one click on \"Generuj!\"               %8.3f ms  (2000 runs)\n",
                median(generations));
    std::printf("  one HTML export to a file             %8.3f ms  (500 runs)\n", median(exports));
    std::printf("  the HTML sheet's bytes alone          %8.3f ms  (5000 runs, %d bytes)\n",
                median(writes), int(bytes.size()));
    if (peakResidentKiB() >= 0)
        std::printf("  peak resident memory                  %8.1f MB\n",
                    peakResidentKiB() / 1024.0);
    else
        std::printf("  peak resident memory                  not measured on this system\n");
    printGrowth("resident memory, 10000 generations", beforeGenerations, afterGenerations);
    printGrowth("resident memory, first dialog showing", beforeDialogs, afterFirstDialog);
    printGrowth("resident memory, 200 dialog showings", beforeDialogs, afterDialogs);
    // The first showing builds the dialog's file list, icons and folder watcher once for the run.
    printGrowth("resident memory, 199 further showings", afterFirstDialog, afterDialogs);
    destroyForms();
    return 0;
}
