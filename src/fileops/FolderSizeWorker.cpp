#include "fileops/FolderSizeWorker.h"

#include <algorithm>
#include <chrono>

namespace quil {

namespace {

constexpr std::chrono::milliseconds kReportInterval{TFolderSize::kReportMsecs};

} // namespace

// One folder being totalled; shared by the threads that walk it, the last
// one to let go frees it.
struct FolderSizeWorker::Walk
{
    Walk(TFolderSize *folder, FolderSizeWalk::FolderRead folderRead)
        : folder(folder), walk(folder->FolderPath), folderRead(std::move(folderRead))
    {}

    TFolderSize *const folder;
    FolderSizeWalk walk;
    const FolderSizeWalk::FolderRead folderRead;

    // Reports go out one at a time, and none after the end.
    std::mutex reportMutex;
    std::chrono::steady_clock::time_point lastReport = std::chrono::steady_clock::now();
    qint64 reportedFiles = 0;
    bool ended = false;
};

FolderSizeWorker::FolderSizeWorker(int threads, QObject *parent) : QObject(parent), m_threadCount(std::max(threads, 1))
{}

FolderSizeWorker::~FolderSizeWorker()
{
    // Every thread at once: a walk ends as soon as one of its threads leaves.
    for (std::jthread &thread : m_threads)
        thread.request_stop();
}

int FolderSizeWorker::defaultThreads()
{
    return int(std::clamp(std::thread::hardware_concurrency(), 1U, 2U));
}

void FolderSizeWorker::add(TFolderSize *folder)
{
    const std::lock_guard lock(m_mutex);
    m_waiting.push_back(folder);
    while (int(m_threads.size()) < m_threadCount)
        m_threads.emplace_back([this](std::stop_token stop) { serve(std::move(stop)); });
    m_changed.notify_all();
}

QList<TFolderSize *> FolderSizeWorker::stopAll()
{
    const std::lock_guard lock(m_mutex);
    if (m_current != nullptr)
        m_current->walk.stop();
    QList<TFolderSize *> waiting(m_waiting.begin(), m_waiting.end());
    m_waiting.clear();
    return waiting;
}

void FolderSizeWorker::setFolderRead(FolderSizeWalk::FolderRead folderRead)
{
    const std::lock_guard lock(m_mutex);
    m_folderRead = std::move(folderRead);
}

void FolderSizeWorker::serve(std::stop_token stop)
{
    lowerOwnPriority();
    std::unique_lock lock(m_mutex);
    for (;;) {
        m_changed.wait(lock, stop, [this] { return m_current != nullptr || !m_waiting.empty(); });
        if (stop.stop_requested())
            return;
        if (m_current == nullptr) {
            m_current = std::make_shared<Walk>(m_waiting.front(), m_folderRead);
            m_waiting.pop_front();
            m_changed.notify_all();
        }
        const std::shared_ptr<Walk> walk = m_current;
        lock.unlock();
        walk->walk.run(stop, [this, &walk] {
            reportRunning(*walk);
            if (walk->folderRead)
                walk->folderRead();
        });
        lock.lock();
        // The first thread out of a walk ends it; the others go on with the
        // next folder.
        if (m_current == walk) {
            m_current.reset();
            endWalk(*walk);
        }
    }
}

void FolderSizeWorker::reportRunning(Walk &walk)
{
    const auto now = std::chrono::steady_clock::now();
    const std::lock_guard lock(walk.reportMutex);
    const qint64 files = walk.walk.files();
    if (walk.ended || files == walk.reportedFiles || now - walk.lastReport < kReportInterval)
        return;
    walk.lastReport = now;
    walk.reportedFiles = files;
    Q_EMIT walk.folder->ReportSize(walk.folder->RowIndex, walk.walk.total());
}

void FolderSizeWorker::endWalk(Walk &walk)
{
    const std::lock_guard lock(walk.reportMutex);
    walk.ended = true;
    // Only a finished walk has read every folder: the last report goes out
    // then, once there were files.
    if (walk.walk.finished() && walk.walk.files() > 0)
        Q_EMIT walk.folder->ReportSize(walk.folder->RowIndex, walk.walk.total());
    Q_EMIT WalkEnded(walk.folder);
}

} // namespace quil
