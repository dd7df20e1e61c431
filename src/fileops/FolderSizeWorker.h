#pragma once

#include "fileops/FolderSizeWalk.h"
#include "fileops/TFolderSize.h"

#include <QList>
#include <QObject>

#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <stop_token>
#include <thread>
#include <vector>

namespace quil {

// The folder-size worker: a small fixed set of threads, one step below
// normal priority, that total the marked folders one after another in the
// order they came, every thread walking the same folder. The threads start
// with the first folder and live as long as the worker, whose destructor
// stops the walk and joins them.
class FolderSizeWorker : public QObject
{
    Q_OBJECT
public:
    // threads: how many threads walk each folder (at least one); by default
    // two where the machine has two cores.
    explicit FolderSizeWorker(int threads = defaultThreads(), QObject *parent = nullptr);
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
    // The walk of a folder has ended, finished or stopped: after its last
    // report, and none follows. Emitted on a walking thread.
    void WalkEnded(TFolderSize *folder);

private:
    struct Walk;
    void serve(std::stop_token stop);
    void reportRunning(Walk &walk);
    void endWalk(Walk &walk);

    const int m_threadCount;
    std::mutex m_mutex;
    std::condition_variable_any m_changed;
    std::deque<TFolderSize *> m_waiting;
    std::shared_ptr<Walk> m_current;
    FolderSizeWalk::FolderRead m_folderRead;
    // Last: stopped and joined before the rest goes.
    std::vector<std::jthread> m_threads;
};

} // namespace quil
