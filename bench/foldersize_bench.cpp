// Times the folder-size worker of the real main window, from queueFolderSize to the
// end of the folder's walk with its last report shown, against `du -sb` on the same folder, in turn and
// in the same run. Prints the totals of both, the medians and, last,
// foldersize_vs_du=<median worker time / median du time>.
#include "Median.h"

#include "app/AppWindows.h"
#include "app/TForm1.h"
#include "fileops/MarksController.h"
#include "fileops/TFolderSize.h"
#include "platform/Launcher.h"
#include "platform/ScriptedDialogs.h"
#include "platform/Services.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

struct Timed
{
    double ms = 0;
    qint64 bytes = 0;
    int reports = 0;
};

Timed timeWorker(TForm1 &form, const QString &folder)
{
    Timed result;
    QElapsedTimer timer;
    timer.start();
    form.marks().queueFolderSize(quil::FolderPath(folder), -1);
    TFolderSize *worker = form.marks().workers().last();
    // Queued like the window's own connection, so it sees the same reports.
    QObject::connect(
        worker, &TFolderSize::ReportSize, &form,
        [&result](int, qint64 total) {
            result.bytes = total;
            ++result.reports;
        },
        Qt::QueuedConnection);
    while (!form.marks().workers().isEmpty())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    result.ms = double(timer.nsecsElapsed()) / 1e6;
    return result;
}

Timed timeDu(const QString &folder)
{
    Timed result;
    QElapsedTimer timer;
    timer.start();
    QProcess du;
    du.start(QStringLiteral("du"), {QStringLiteral("-sb"), folder});
    du.waitForFinished(-1);
    result.ms = double(timer.nsecsElapsed()) / 1e6;
    result.bytes = du.readAllStandardOutput().split('\t').value(0).toLongLong();
    return result;
}

} // namespace

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s FOLDER [REPEATS]\n", argv[0]);
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    const int repeats = argc > 2 ? std::max(1, atoi(argv[2])) : 7;

    QTemporaryDir settings;
    quil::ScriptedDialogs dialogs;
    quil::Launcher launcher;
    quil::Services services{dialogs, launcher, quil::FolderPath(settings.path())};
    quil::AppWindows windows(services);
    TForm1 &form = *windows.Form1;

    // Warm the cache for both.
    timeWorker(form, folder);
    timeDu(folder);
    std::vector<double> workerMs, duMs;
    Timed worker, du;
    for (int i = 0; i < repeats; ++i) {
        worker = timeWorker(form, folder);
        du = timeDu(folder);
        workerMs.push_back(worker.ms);
        duMs.push_back(du.ms);
    }
    std::printf("worker_total_bytes=%lld\n", static_cast<long long>(worker.bytes));
    std::printf("du_total_bytes=%lld\n", static_cast<long long>(du.bytes));
    std::printf("worker_reports=%d\n", worker.reports);
    std::printf("worker_ms=%.1f\n", median(workerMs));
    std::printf("du_ms=%.1f\n", median(duMs));
    std::printf("foldersize_vs_du=%.3f\n", median(workerMs) / median(duMs));
    return 0;
}
