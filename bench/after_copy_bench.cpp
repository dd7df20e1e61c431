// Copies every file of a folder into the second panel's folder with the main
// window's copy command (F5 with everything marked, its question answered),
// while a timer on the window thread notes how long the window went without
// handling its events. Watched from the copy's start until the panel shows
// every copied file and its follower has settled. Prints the longest stall
// and, last, its ratio to the half second the window may take.
//   after_copy_bench SOURCE TARGET
#include "app/AppWindows.h"
#include "app/TForm1.h"
#include "fileops/TForm4.h"
#include "listing/FolderListing.h"
#include "platform/Launcher.h"
#include "platform/ScriptedDialogs.h"
#include "platform/Services.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>

namespace {

constexpr double kAllowedStallMs = 500;
constexpr int kSettleMs = 1500;

// The longest gap between the ticks of a fast timer of the window thread.
class StallWatch
{
public:
    StallWatch()
    {
        m_ticks.setTimerType(Qt::PreciseTimer);
        m_ticks.setInterval(2);
        QObject::connect(&m_ticks, &QTimer::timeout, [this] {
            m_longest = std::max(m_longest, m_sinceTick.nsecsElapsed() / 1e6);
            m_sinceTick.restart();
        });
        m_sinceTick.start();
        m_ticks.start();
    }
    double longestMs() const { return m_longest; }

private:
    QTimer m_ticks;
    QElapsedTimer m_sinceTick;
    double m_longest = 0;
};

void waitUntil(const std::function<bool()> &done)
{
    while (!done())
        QApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
}

} // namespace

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    if (argc < 3) {
        std::fprintf(stderr, "usage: after_copy_bench SOURCE TARGET\n");
        return 2;
    }
    const QString source = QString::fromLocal8Bit(argv[1]);
    const QString target = QString::fromLocal8Bit(argv[2]);
    const QTemporaryDir settings;
    quil::ScriptedDialogs dialogs;
    quil::Launcher launcher;
    quil::Services services{dialogs, launcher, quil::FolderPath(settings.path() + QLatin1Char('/'))};
    quil::AppWindows windows(services);
    TForm1 &form = *windows.Form1;
    TForm4 &panel = *windows.Form4;
    form.show();
    QApplication::processEvents();
    form.navigateByPath(quil::FolderPath(source));
    panel.SecondPanelPath = quil::FolderPath(target);
    panel.ListSecondPanel(panel.SecondPanelPath);
    panel.showPanel();
    quil::FolderListing &listing = form.listing();
    waitUntil([&] { return listing.count() > 0; });
    const int files = listing.count();
    for (int row = 0; row < files; ++row)
        listing.setMarked(row, true);
    auto *list = form.findChild<QAbstractItemView *>(QStringLiteral("ListView"));
    list->setCurrentIndex(list->model()->index(0, 0));

    dialogs.answerYesNo(true);
    QElapsedTimer copying;
    copying.start();
    const StallWatch stalls;
    form.SpeedButton6Click();
    const double commandMs = double(copying.elapsed());
    waitUntil([&] { return panel.rowNames().size() >= files; });
    QElapsedTimer settling;
    settling.start();
    waitUntil([&] { return settling.elapsed() >= kSettleMs; });
    std::printf("copied=%d panel_rows=%lld copy_command_ms=%.0f\n", files,
                static_cast<long long>(panel.rowNames().size()), commandMs);
    std::printf("after_copy_stall_ms=%.1f\n", stalls.longestMs());
    std::printf("after_copy_stall_vs_half_second=%.2f\n", stalls.longestMs() / kAllowedStallMs);
    return 0;
}
