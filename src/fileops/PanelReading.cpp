#include "fileops/PanelReading.h"

namespace quil {

namespace {
// Read on the window thread: a few milliseconds at most on a local disk.
constexpr qsizetype kReadAtOnce = 2000;
constexpr qsizetype kStep = 1024;
constexpr int kProgressIntervalMs = 250;
} // namespace

PanelReading::PanelReading(const FolderPath &folder, QObject *parent)
    : QObject(parent), m_reader(std::make_unique<PanelFolderReader>(folder))
{
    m_progressTimer.setInterval(kProgressIntervalMs);
    connect(&m_progressTimer, &QTimer::timeout, this, &PanelReading::tellProgress);
}

PanelReading::~PanelReading()
{
    m_stopped = true;
}

bool PanelReading::start()
{
    if (!m_reader->readMore(kReadAtOnce)) {
        m_listing = m_reader->takeSorted();
        return true;
    }
    m_foldersRead = m_reader->folderCount();
    m_filesRead = m_reader->fileCount();
    tellProgress();
    m_progressTimer.start();
    // The worker owns the reader until it ends; the destructor joins it, so
    // this outlives it.
    m_worker = std::jthread([this] { readOn(); });
    return false;
}

void PanelReading::readOn()
{
    while (!m_stopped && m_reader->readMore(kStep)) {
        m_foldersRead.store(m_reader->folderCount(), std::memory_order_relaxed);
        m_filesRead.store(m_reader->fileCount(), std::memory_order_relaxed);
    }
    if (m_stopped)
        return;
    m_listing = m_reader->takeSorted();
    QMetaObject::invokeMethod(
        this,
        [this] {
            m_progressTimer.stop();
            Q_EMIT finished();
        },
        Qt::QueuedConnection);
}

void PanelReading::tellProgress()
{
    Q_EMIT progress(m_foldersRead.load(std::memory_order_relaxed), m_filesRead.load(std::memory_order_relaxed));
}

} // namespace quil
