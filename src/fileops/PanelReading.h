#pragma once

#include "fileops/PanelFolder.h"

#include <QObject>
#include <QTimer>

#include <memory>

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
    // Drops a reading still going without waiting for it: its worker ends
    // on its own, and nothing is told after.
    ~PanelReading() override;

    // True when the folder has been read whole at once: the listing is
    // ready and no signal follows. Otherwise finished follows.
    bool start();
    // The sorted listing, once read.
    PanelFolderListing take();

Q_SIGNALS:
    void progress(qsizetype folders, qsizetype files);
    void finished();

private:
    struct Shared;
    void tellProgress();

    std::shared_ptr<Shared> m_shared;
    QTimer m_progressTimer;
};

} // namespace quil
