#pragma once

#include "fileops/PanelFolder.h"

#include <QObject>
#include <QTimer>

#include <atomic>
#include <memory>
#include <thread>

namespace quil {

// One listing of the second panel's folder. The first entries are read at
// once, so a folder of a few thousand entries is listed without a wait; a
// larger one is read on, and sorted, on a worker thread, its counts told a
// few times a second, so that it never blocks the window.
class PanelReading : public QObject
{
    Q_OBJECT
public:
    explicit PanelReading(const FolderPath &folder, QObject *parent = nullptr);
    // Stops a reading still going; nothing is told after.
    ~PanelReading() override;

    // True when the folder has been read whole at once: the listing is
    // ready and no signal follows. Otherwise finished follows.
    bool start();
    // The sorted listing, once read.
    PanelFolderListing take() { return std::move(m_listing); }

Q_SIGNALS:
    void progress(qsizetype folders, qsizetype files);
    void finished();

private:
    void readOn();
    void tellProgress();

    std::unique_ptr<PanelFolderReader> m_reader;
    PanelFolderListing m_listing;
    std::atomic<qsizetype> m_foldersRead{0};
    std::atomic<qsizetype> m_filesRead{0};
    std::atomic<bool> m_stopped{false};
    QTimer m_progressTimer;
    std::jthread m_worker;
};

} // namespace quil
