// Shows a large folder in the main list's real model and view (offscreen)
// with its follower, lets another process create many files in it, and
// reports the time from the last file created until the list holds them all
// (painted), and the longest time the window thread did not come back to its
// event loop. Then times `ls` of the grown folder in the same run.
#include "listing/FolderListFollower.h"
#include "listing/FolderListModel.h"
#include "listing/FolderListView.h"
#include "listing/FolderListing.h"
#include "platform/ChangeHold.h"
#include "platform/ShellNamespace.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>

extern char **environ;

namespace {

using Clock = std::chrono::steady_clock;

double msBetween(Clock::time_point from, Clock::time_point to)
{
    return std::chrono::duration<double, std::milli>(to - from).count();
}

// Runs a program to its end; the time it ended.
Clock::time_point runToEnd(char *const arguments[], bool quiet)
{
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (quiet)
        posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    if (posix_spawnp(&pid, arguments[0], &actions, nullptr, arguments, environ) == 0) {
        int status = 0;
        waitpid(pid, &status, 0);
    }
    posix_spawn_file_actions_destroy(&actions);
    return Clock::now();
}

// Finds the longest single event the window thread handled, and its kind.
class TimedApplication : public QApplication
{
public:
    using QApplication::QApplication;
    double longestMs = 0;
    QByteArray longestWhat;
    bool notify(QObject *receiver, QEvent *event) override
    {
        if (m_depth++ > 0) {
            const bool handled = QApplication::notify(receiver, event);
            --m_depth;
            return handled;
        }
        QElapsedTimer timer;
        timer.start();
        const int type = event->type();
        const QByteArray what = QByteArray(receiver->metaObject()->className()) + " event " + QByteArray::number(type);
        const bool handled = QApplication::notify(receiver, event);
        --m_depth;
        const double ms = double(timer.nsecsElapsed()) / 1e6;
        if (ms > longestMs) {
            longestMs = ms;
            longestWhat = what;
        }
        return handled;
    }

private:
    int m_depth = 0;
};

} // namespace

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    TimedApplication application(argc, argv);
    if (argc < 3) {
        std::fprintf(stderr, "usage: live_list_bench FOLDER NEW_FILES\n");
        return 2;
    }
    const QString path = QString::fromLocal8Bit(argv[1]);
    const int newFiles = std::max(1, atoi(argv[2]));

    quil::FolderListing listing;
    quil::FolderListModel model(listing);
    quil::FolderListView view;
    view.setModel(&model);
    view.setDataHint([&model](int first, int last) { model.fillDetails(first, last); });
    view.resize(600, 400);
    view.show();
    quil::ChangeHold hold;
    quil::FolderListFollower follower({listing, model, view, hold, {}, {}, {}});
    const quil::ItemId folder = quil::ShellNamespace::parse(path);
    model.reading([&] { listing.readFolder(folder); });
    listing.setCurrent(folder, path);
    view.setCurrentIndex(model.index(listing.count() / 2, 0));
    view.scrollTo(view.currentIndex());
    QCoreApplication::processEvents();
    const int expected = listing.count() + newFiles;

    // The window thread's pulse: the longest gap between two ticks.
    double longestStallMs = 0;
    QElapsedTimer sinceTick;
    QTimer pulse;
    pulse.setInterval(5);
    QObject::connect(&pulse, &QTimer::timeout, [&] {
        longestStallMs = std::max(longestStallMs, double(sinceTick.nsecsElapsed()) / 1e6 - pulse.interval());
        sinceTick.restart();
    });

    // Another process creates the files; its end is the last file created.
    std::atomic<bool> created{false};
    Clock::time_point lastCreated;
    const QByteArray script = "import os,sys\nd=sys.argv[1]\nfor i in range(int(sys.argv[2])):\n"
                              "    open(os.path.join(d, 'new file %d.txt' % i), 'w').close()\n";
    const QByteArray count = QByteArray::number(newFiles);
    const QByteArray target = path.toLocal8Bit();
    Clock::time_point started;
    std::jthread creator;
    QTimer::singleShot(50, [&] {
        sinceTick.start();
        pulse.start();
        started = Clock::now();
        creator = std::jthread([&] {
            char *const arguments[] = {const_cast<char *>("python3"),          const_cast<char *>("-c"),
                                       const_cast<char *>(script.constData()), const_cast<char *>(target.constData()),
                                       const_cast<char *>(count.constData()),  nullptr};
            lastCreated = runToEnd(arguments, false);
            created = true;
        });
    });
    Clock::time_point shown;
    const auto check = [&] {
        if (listing.count() != expected || !created)
            return;
        view.viewport()->repaint();
        shown = Clock::now();
        application.quit();
    };
    QObject::connect(&follower, &quil::FolderListFollower::applied, check);
    QTimer late;
    QObject::connect(&late, &QTimer::timeout, check);
    late.start(20);
    QTimer::singleShot(60000, &application, &QApplication::quit);
    application.exec();
    pulse.stop();
    if (listing.count() != expected) {
        std::printf("list_rows=%d expected=%d (timed out)\n", listing.count(), expected);
        return 1;
    }
    const double catchUpMs = msBetween(lastCreated, shown);
    const double creatingMs = msBetween(started, lastCreated);

    char *const ls[] = {const_cast<char *>("ls"), const_cast<char *>(target.constData()), nullptr};
    const Clock::time_point lsStart = Clock::now();
    const double lsMs = msBetween(lsStart, runToEnd(ls, true));
    std::printf("entries=%d new_files=%d creating_ms=%.0f\n", listing.count(), newFiles, creatingMs);
    std::printf("ls_sorted_ms=%.1f\n", lsMs);
    std::printf("last_change_to_shown_ms=%.0f (target <= 1000)\n", catchUpMs);
    std::printf("longest_window_stall_ms=%.0f (target <= 100)\n", longestStallMs);
    std::printf("longest_event_ms=%.0f (%s)\n", application.longestMs, application.longestWhat.constData());
    std::printf("shown_vs_ls=%.2f\n", catchUpMs / lsMs);
    return 0;
}
