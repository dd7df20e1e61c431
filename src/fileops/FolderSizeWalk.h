#pragma once

#include <QByteArray>
#include <QList>
#include <QSet>
#include <QString>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <stop_token>
#include <thread>
#include <vector>

namespace quil {

// Totals the sizes of the regular files below one folder. Links are never
// followed (a link to a folder is not entered), FIFOs, sockets and devices
// add nothing and are never opened, an unreadable folder adds nothing, and
// the walk never enters the system's folders (/proc, /sys, /dev, /run but
// /run/media) nor a mount that is no volume (pseudo file systems).
//
// The walk runs on threads of its own (start) or on threads that take part
// in it (run); total() and files() may be read from any thread while it runs
// and are exact once finished.
class FolderSizeWalk
{
public:
    // Runs after each folder a thread has read, on that thread, while the
    // walk still counts the folder as being read.
    using FolderRead = std::function<void()>;

    // The rule for mounts is read from the mount table now.
    explicit FolderSizeWalk(const QString &folder);
    FolderSizeWalk(const FolderSizeWalk &) = delete;
    FolderSizeWalk &operator=(const FolderSizeWalk &) = delete;

    // Starts the walk on threads threads of its own (at least one), which
    // the destructor stops and joins. Call once.
    void start(int threads = 2);
    // Takes part in the walk on the calling thread, beside any other thread
    // that walks it, until the walk has finished or is stopped (stop() or
    // the thread's own stop request).
    void run(std::stop_token threadStop, const FolderRead &folderRead = {});
    // Waits until the walk has finished or the time has passed; true when
    // finished.
    bool waitFinished(std::chrono::milliseconds timeout);
    // True once every folder was read (a stopped walk never is).
    bool finished();
    // Asks the threads to stop at their next folder or after a few entries.
    void stop();
    bool stopped() const { return m_stop.load(); }

    // Bytes of the regular files counted so far, and their number.
    qint64 total() const { return m_total.load(std::memory_order_relaxed); }
    qint64 files() const { return m_files.load(std::memory_order_relaxed); }

private:
    // Reads one folder: adds its files, hands its subfolders to the stack.
    void readOneFolder(const QByteArray &path, const std::stop_token &threadStop);
    bool enters(const QByteArray &path) const;
    bool stopping(const std::stop_token &threadStop);
    bool startAllowed(const QByteArray &path) const;

    QByteArray m_folder;
    // Mount points (native bytes) that are volumes, and those that are not.
    QSet<QByteArray> m_volumeMounts;
    QSet<QByteArray> m_otherMounts;

    std::atomic<bool> m_stop{false};
    std::atomic<qint64> m_total{0};
    std::atomic<qint64> m_files{0};

    std::mutex m_mutex;
    std::condition_variable_any m_changed;
    std::vector<QByteArray> m_pending; // folders still to read
    int m_busy = 0;                    // threads reading a folder
    bool m_finished = false;
    // Last: stopped and joined before the rest goes.
    std::vector<std::jthread> m_threads;
};

// One step below the priority the calling thread has now; the folder-size
// threads run so.
void lowerOwnPriority();

} // namespace quil
