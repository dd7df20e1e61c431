#pragma once

#include "listing/FolderReading.h"
#include "platform/ReadingProgress.h"

#include <QTimer>

#include <memory>
#include <thread>

namespace quil {

// A folder of the disk (or the desktop and the computer folder, whose few
// entries come at once), read and sorted on a worker thread with the
// program's own enumeration; the count of names read is told a few times a
// second.
class LocalFolderReading : public FolderReading
{
    Q_OBJECT
public:
    LocalFolderReading(const ItemId &folder, const FolderListing &like);
    ~LocalFolderReading() override;

private:
    void begin() override;
    void stop() override;
    void tellProgress();

    std::shared_ptr<ReadingProgress> m_progress = std::make_shared<ReadingProgress>();
    QTimer m_progressTimer;
    std::jthread m_worker;
};

} // namespace quil
