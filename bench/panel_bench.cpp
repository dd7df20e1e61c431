// Lists a large folder in the second panel (its real window, offscreen) and
// times `ls` (sorted names) on the same folder in turn: the medians of the
// listing until the panel has painted (its reading done), and of ls, and their ratio last.
#include "Median.h"
#include "TimeCommand.h"

#include "fileops/TForm4.h"
#include "platform/Launcher.h"
#include "platform/QtDialogs.h"
#include "platform/Services.h"

#include <QApplication>
#include <QEventLoop>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: panel_bench FOLDER [REPEATS]\n");
        return 2;
    }
    const QString path = QString::fromLocal8Bit(argv[1]);
    const int repeats = argc > 2 ? std::max(1, atoi(argv[2])) : 5;
    // Settings of its own: the panel's window keeps its place there.
    const QTemporaryDir settings;
    quil::QtDialogs dialogs;
    quil::Launcher launcher;
    quil::Services services{dialogs, launcher, quil::FolderPath(settings.path() + QLatin1Char('/'))};
    TForm4 panel(services);
    panel.resize(600, 400);
    panel.show();
    std::vector<double> panelTimes;
    std::vector<double> lsTimes;
    for (int i = 0; i < repeats; ++i) {
        lsTimes.push_back(timeCommand({"ls", argv[1]}));
        QElapsedTimer timer;
        timer.start();
        panel.SecondPanelPath = quil::FolderPath(path);
        panel.ListSecondPanel(panel.SecondPanelPath);
        if (panel.isReading()) {
            QEventLoop loop;
            QObject::connect(&panel, &TForm4::listed, &loop, &QEventLoop::quit);
            loop.exec();
        }
        panel.grab(); // the first rows painted
        panelTimes.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    std::printf("panel_rows=%lld\n", static_cast<long long>(panel.rowNames().size()));
    std::printf("panel_ms=%.1f ls_sorted_ms=%.1f\n", median(panelTimes), median(lsTimes));
    std::printf("panel_vs_ls=%.2f\n", median(panelTimes) / median(lsTimes));
    return 0;
}
