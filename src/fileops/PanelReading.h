#pragma once

#include "fileops/PanelFolder.h"

#include <QObject>
#include <QTimer>

#include <memory>

namespace quil {

class GioFolderReader;
class MountQuestions;

// One listing of the second panel's folder. The first entries of a folder
// of the disk are read at once, so a folder of a few thousand entries is
// listed without a wait; a larger one is read on, and sorted, on a worker
// thread. A folder of a GIO location (its URI) is read through GIO, mounted
// first with its questions asked. The counts are told as they run up, so
// that a reading never blocks the window.
class PanelReading : public QObject
{
    Q_OBJECT
public:
    PanelReading(const FolderPath &folder, MountQuestions *questions, QObject *parent = nullptr);
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
    // The location could not be read: GIO's own text.
    void failed(const QString &message);

private:
    struct Shared;
    void startGio();
    void tellProgress();

    const FolderPath m_folder;
    MountQuestions *m_questions;
    std::shared_ptr<Shared> m_shared;
    std::unique_ptr<GioFolderReader> m_gio;
    PanelFolderListing m_gioListing;
    QTimer m_progressTimer;
};

} // namespace quil
