#include "fileops/FolderSizeWorker.h"

#include <algorithm>
#include <chrono>
#include <memory>

namespace quil {

namespace {

constexpr std::chrono::milliseconds kReportInterval{TFolderSize::kReportMsecs};

} // namespace

FolderSizeWorker::FolderSizeWorker(int walkThreads, QObject *parent)
    : QObject(parent), m_walkThreads(std::max(walkThreads, 1))
{}

FolderSizeWorker::~FolderSizeWorker()
{
    // The walk under way ends within one report interval.
    m_thread.request_stop();
}

int FolderSizeWorker::defaultThreads()
{
    return int(std::clamp(std::thread::hardware_concurrency(), 1U, 2U));
}

void FolderSizeWorker::add(TFolderSize *folder)
{
    const std::scoped_lock lock(m_mutex);
    m_waiting.push_back(folder);
    if (!m_thread.joinable())
        m_thread = std::jthread([this](std::stop_token stop) { serve(stop); });
    m_changed.notify_all();
}

QList<TFolderSize *> FolderSizeWorker::stopAll()
{
    const std::scoped_lock lock(m_mutex);
    if (m_current != nullptr)
        m_current->stop();
    QList<TFolderSize *> waiting(m_waiting.begin(), m_waiting.end());
    m_waiting.clear();
    return waiting;
}

void FolderSizeWorker::setFolderRead(FolderSizeWalk::FolderRead folderRead)
{
    const std::scoped_lock lock(m_mutex);
    m_folderRead = std::move(folderRead);
}

void FolderSizeWorker::serve(const std::stop_token &stop)
{
    std::unique_lock lock(m_mutex);
    for (;;) {
        m_changed.wait(lock, stop, [this] { return !m_waiting.empty(); });
        if (stop.stop_requested())
            return;
        TFolderSize *folder = m_waiting.front();
        m_waiting.pop_front();
        // Made under the lock, so that stopAll finds it.
        auto walk = std::make_unique<FolderSizeWalk>(folder->FolderPath);
        m_current = walk.get();
        const FolderSizeWalk::FolderRead folderRead = m_folderRead;
        lock.unlock();
        walk->start(m_walkThreads, folderRead);
        reportWhileWalking(*folder, *walk, stop);
        lock.lock();
        m_current = nullptr;
        lock.unlock();
        // Its threads are joined before its end is told.
        walk.reset();
        Q_EMIT WalkEnded(folder);
        lock.lock();
    }
}

void FolderSizeWorker::reportWhileWalking(TFolderSize &folder, FolderSizeWalk &walk, const std::stop_token &stop)
{
    // Reports go out on this thread only, coalesced: the walk never waits
    // for the window.
    qint64 reportedFiles = 0;
    bool finished = false;
    while (!finished) {
        finished = walk.waitFinished(kReportInterval);
        if (walk.stopped() || stop.stop_requested()) {
            walk.stop();
            return;
        }
        const qint64 files = walk.files();
        // The last report always goes out once there were files: only then
        // is the total read after every folder was added.
        if (files > reportedFiles || (finished && files > 0)) {
            reportedFiles = files;
            Q_EMIT folder.ReportSize(folder.RowIndex, walk.total());
        }
    }
}

} // namespace quil
