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
// The walk runs on threads of its own; total() and files() may be read from
// any thread while it runs and are exact once finished.
class FolderSizeWalk
{
public:
    // Runs after each folder a thread has read, on that thread, while the
    // walk still counts the folder as being read.
    using FolderRead = std::function<void()>;

    // The rule for mounts is read from the mount table now.
    explicit FolderSizeWalk(const QString &folder);
    ~FolderSizeWalk();
    FolderSizeWalk(const FolderSizeWalk &) = delete;
    FolderSizeWalk &operator=(const FolderSizeWalk &) = delete;

    // Starts the walk on threads threads of its own (at least one), one
    // step below the caller's priority, which the destructor stops and
    // joins. folderRead may be empty. Call once.
    void start(int threads = 2, FolderRead folderRead = {});
    // Waits until the walk has finished or the time has passed; true when
    // finished.
    bool waitFinished(std::chrono::milliseconds timeout);
    // Asks the threads to stop at their next folder or after a few entries.
    void stop();
    bool stopped() const { return m_stop.stop_requested(); }

    // Bytes of the regular files counted so far, and their number.
    qint64 total() const { return m_total.load(std::memory_order_relaxed); }
    qint64 files() const { return m_files.load(std::memory_order_relaxed); }

private:
    // One thread's part of the walk, until it has finished or is stopped.
    void run();
    // Reads one folder: adds its files, hands its subfolders to the stack.
    void readOneFolder(const QByteArray &path);
    bool enters(const QByteArray &path) const;
    bool startAllowed(const QByteArray &path) const;

    QByteArray m_folder;
    // Mount points (native bytes) that are volumes, and those that are not.
    QSet<QByteArray> m_volumeMounts;
    QSet<QByteArray> m_otherMounts;

    // Shared by the walk's threads, which poll it.
    std::stop_source m_stop;
    std::atomic<qint64> m_total{0};
    std::atomic<qint64> m_files{0};

    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::vector<QByteArray> m_pending; // folders still to read
    int m_busy = 0;                    // threads reading a folder
    bool m_finished = false;
    FolderRead m_folderRead;
    // Last: joined before the rest goes.
    std::vector<std::jthread> m_threads;
};

} // namespace quil
