#include "fileops/PanelReading.h"

#include "platform/LocationUri.h"
#include "platform/gio/GioFolderReader.h"

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

PanelReading::PanelReading(const FolderPath &folder, MountQuestions *questions, QObject *parent)
    : QObject(parent), m_folder(folder), m_questions(questions),
      m_shared(folder.isLocal() ? std::make_shared<Shared>(folder) : nullptr)
{
    m_progressTimer.setInterval(kProgressIntervalMs);
    connect(&m_progressTimer, &QTimer::timeout, this, &PanelReading::tellProgress);
}

PanelReading::~PanelReading()
{
    if (!m_shared)
        return;
    m_shared->stopped = true;
    // An end already posted goes with this object's pending events.
    const std::scoped_lock lock(m_shared->ownerMutex);
    m_shared->owner = nullptr;
}

bool PanelReading::start()
{
    if (!m_shared) {
        startGio();
        return false;
    }
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

void PanelReading::startGio()
{
    m_gio = std::make_unique<GioFolderReader>(m_questions);
    const QString folderUri = m_folder.withTrailingSlash();
    connect(m_gio.get(), &GioFolderReader::entriesRead, this, [this, folderUri](const std::vector<GioEntry> &batch) {
        for (const GioEntry &entry : batch)
            (entry.isFolder ? m_gioListing.folders : m_gioListing.files)
                .append(gioChildLocation(folderUri, entry.name, entry.isFolder));
        Q_EMIT progress(m_gioListing.folders.size(), m_gioListing.files.size());
    });
    connect(m_gio.get(), &GioFolderReader::finished, this, [this] {
        sortPanelListing(m_gioListing);
        Q_EMIT finished();
    });
    connect(m_gio.get(), &GioFolderReader::failed, this, &PanelReading::failed);
    m_gio->start(folderUri);
}

PanelFolderListing PanelReading::take()
{
    return std::move(m_shared ? m_shared->listing : m_gioListing);
}

void PanelReading::tellProgress()
{
    Q_EMIT progress(m_shared->foldersRead.load(std::memory_order_relaxed),
                    m_shared->filesRead.load(std::memory_order_relaxed));
}

} // namespace quil
