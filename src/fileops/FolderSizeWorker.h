#pragma once

#include "fileops/FolderSizeWalk.h"
#include "fileops/TFolderSize.h"

#include <QList>
#include <QObject>

#include <condition_variable>
#include <deque>
#include <mutex>
#include <stop_token>
#include <thread>

namespace quil {

// The folder-size worker: one thread that totals the marked folders one
// after another, in the order they came, each on a walk of its own threads
// one step below normal priority (FolderSizeWalk), and reports each
// folder's running total at most once every 50 ms and once after the last
// file. Started with the first folder; the destructor stops the walk and
// joins the thread.
class FolderSizeWorker : public QObject
{
    Q_OBJECT
public:
    // walkThreads: how many threads walk a folder (at least one); by default
    // two where the machine has two cores.
    explicit FolderSizeWorker(int walkThreads = defaultThreads(), QObject *parent = nullptr);
    ~FolderSizeWorker() override;

    static int defaultThreads();

    // Queues a folder. It must live until WalkEnded names it or stopAll
    // hands it back.
    void add(TFolderSize *folder);
    // Stops the walk of the folder being totalled (its WalkEnded follows,
    // without a last report) and hands back the folders that still waited;
    // those get no signal.
    QList<TFolderSize *> stopAll();

    // Runs on a walking thread after each folder it has read, while the walk
    // still counts that folder as being read (tests hold a walk here). Taken
    // by the walks that start after the call.
    void setFolderRead(FolderSizeWalk::FolderRead folderRead);

Q_SIGNALS:
    // The walk of a folder has ended, finished or stopped, and its threads
    // are gone: after its last report, and none follows. Emitted on the
    // worker's thread.
    void WalkEnded(TFolderSize *folder);

private:
    void serve(const std::stop_token &stop);
    // Reports the running total until the walk has finished or is stopped.
    void reportWhileWalking(TFolderSize &folder, FolderSizeWalk &walk, const std::stop_token &stop);

    const int m_walkThreads;
    std::mutex m_mutex;
    std::condition_variable_any m_changed;
    std::deque<TFolderSize *> m_waiting;
    FolderSizeWalk *m_current = nullptr; // the walk under way
    FolderSizeWalk::FolderRead m_folderRead;
    // Last: stopped and joined before the rest goes.
    std::jthread m_thread;
};

} // namespace quil
