#include "fileops/PanelReading.h"

#include <atomic>
#include <mutex>
#include <thread>

namespace quil {

namespace {
// Read on the window thread: a few milliseconds at most on a local disk.
constexpr qsizetype kReadAtOnce = 2000;
constexpr qsizetype kStep = 1024;
constexpr int kProgressIntervalMs = 250;
} // namespace

// What the worker and the window share. The worker may outlive the reading
// object: it tells its end only while the reading still wants it.
struct PanelReading::Shared
{
    explicit Shared(const FolderPath &folder) : reader(folder) {}

    PanelFolderReader reader;
    PanelFolderListing listing;
    std::atomic<qsizetype> foldersRead{0};
    std::atomic<qsizetype> filesRead{0};
    std::atomic<bool> stopped{false};
    std::mutex ownerMutex;
    PanelReading *owner = nullptr;
};

PanelReading::PanelReading(const FolderPath &folder, QObject *parent)
    : QObject(parent), m_shared(std::make_shared<Shared>(folder))
{
    m_progressTimer.setInterval(kProgressIntervalMs);
    connect(&m_progressTimer, &QTimer::timeout, this, &PanelReading::tellProgress);
}

PanelReading::~PanelReading()
{
    m_shared->stopped = true;
    // An end already posted goes with this object's pending events.
    const std::scoped_lock lock(m_shared->ownerMutex);
    m_shared->owner = nullptr;
}

bool PanelReading::start()
{
    Shared &shared = *m_shared;
    if (!shared.reader.readMore(kReadAtOnce)) {
        shared.listing = shared.reader.takeSorted();
        return true;
    }
    shared.foldersRead = shared.reader.folderCount();
    shared.filesRead = shared.reader.fileCount();
    shared.owner = this;
    tellProgress();
    m_progressTimer.start();
    std::thread([shared = m_shared] {
        while (!shared->stopped && shared->reader.readMore(kStep)) {
            shared->foldersRead.store(shared->reader.folderCount(), std::memory_order_relaxed);
            shared->filesRead.store(shared->reader.fileCount(), std::memory_order_relaxed);
        }
        if (shared->stopped)
            return;
        shared->listing = shared->reader.takeSorted();
        const std::scoped_lock lock(shared->ownerMutex);
        if (shared->owner != nullptr)
            QMetaObject::invokeMethod(
                shared->owner,
                [owner = shared->owner] {
                    owner->m_progressTimer.stop();
                    Q_EMIT owner->finished();
                },
                Qt::QueuedConnection);
    }).detach();
    return false;
}

PanelFolderListing PanelReading::take()
{
    return std::move(m_shared->listing);
}

void PanelReading::tellProgress()
{
    Q_EMIT progress(m_shared->foldersRead.load(std::memory_order_relaxed),
                    m_shared->filesRead.load(std::memory_order_relaxed));
}

} // namespace quil
