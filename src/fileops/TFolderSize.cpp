#include "fileops/TFolderSize.h"

#include "fileops/FolderSizeWalk.h"

#include <algorithm>
#include <chrono>

TFolderSize::TFolderSize(const QString &folderPath, int rowIndex, quint64 listing, QObject *parent)
    : QThread(parent), FolderPath(folderPath), RowIndex(rowIndex), Listing(listing)
{}

void TFolderSize::run()
{
    Execute();
}

void TFolderSize::Execute()
{
    quil::FolderSizeWalk walk(FolderPath);
    walk.start(std::max(1, std::min(2, QThread::idealThreadCount())));
    // Reports go out on this thread only, coalesced: the walk never waits
    // for the window.
    qint64 reportedFiles = 0;
    bool finished = false;
    while (!finished) {
        finished = walk.waitFinished(std::chrono::milliseconds(kReportMsecs));
        if (isInterruptionRequested()) {
            walk.stop();
            return;
        }
        const qint64 files = walk.files();
        // The last report always goes out once there were files: only then
        // is the total read after every folder was added.
        if (files > reportedFiles || (finished && files > 0)) {
            reportedFiles = files;
            Q_EMIT ReportSize(RowIndex, walk.total());
        }
    }
}
