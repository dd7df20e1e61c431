#include "listing/LocalFolderReading.h"

namespace quil {

namespace {
constexpr int kProgressIntervalMs = 250;
} // namespace

LocalFolderReading::LocalFolderReading(const ItemId &folder, const FolderListing &like) : FolderReading(folder, like)
{
    m_progressTimer.setInterval(kProgressIntervalMs);
    connect(&m_progressTimer, &QTimer::timeout, this, &LocalFolderReading::tellProgress);
}

LocalFolderReading::~LocalFolderReading()
{
    m_progress->stopRequested = true;
}

void LocalFolderReading::begin()
{
    m_progressTimer.start();
    // The worker fills m_result only; the window thread looks at it after the
    // worker's queued end has come, or never when the reading was stopped.
    // The destructor joins the worker, so this outlives it.
    m_worker = std::jthread([this, progress = m_progress] {
        std::exception_ptr error;
        try {
            EntryStore children = FolderListing::enumerate(m_folder, progress.get());
            if (!progress->stopped())
                m_result.replaceEntries(std::move(children));
        } catch (...) {
            error = std::current_exception();
        }
        if (progress->stopped())
            return;
        QMetaObject::invokeMethod(
            this,
            [this, error] {
                m_progressTimer.stop();
                if (error)
                    fail(error);
                else
                    finish();
            },
            Qt::QueuedConnection);
    });
}

void LocalFolderReading::stop()
{
    m_progressTimer.stop();
    m_progress->stopRequested = true;
}

void LocalFolderReading::tellProgress()
{
    Q_EMIT progress(m_progress->entriesRead.load(std::memory_order_relaxed));
}

} // namespace quil
