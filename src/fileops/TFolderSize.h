#pragma once

#include <QString>
#include <QThread>

namespace quil {
class FolderSizeWalk;
}

// The folder-size worker: totals one marked folder of the main list on a
// thread of its own (FolderSizeWalk) and reports the running total to the
// window thread, at most once every 50 ms and once after the last file; a
// folder without files gets no report. Stopped by requestInterruption().
class TFolderSize : public QThread
{
    Q_OBJECT
public:
    // The folder's full path, the row of its entry when the worker started,
    // and the listing it was started for (reports of an earlier listing are
    // dropped by the receiver).
    TFolderSize(const QString &folderPath, int rowIndex, quint64 listing, QObject *parent = nullptr);

    const QString FolderPath;
    const int RowIndex;
    const quint64 Listing;

    // The least time between two reports.
    static constexpr int kReportMsecs = 50;

Q_SIGNALS:
    // A running total in bytes, emitted from the worker's thread; connect it
    // queued so that it runs on the window thread without stopping the walk.
    void ReportSize(int rowIndex, qint64 totalBytes);

protected:
    void run() override;

private:
    // Walks FolderPath and reports while the walk runs.
    void Execute();
};
