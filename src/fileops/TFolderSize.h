#pragma once

#include <QObject>
#include <QString>

// One marked folder of the main list, totalled by the folder-size worker
// (quil::FolderSizeWorker): its running total reaches the window thread at
// most once every 50 ms and once after the last file; a folder without files
// gets no report. Lives on the window thread; ReportSize is emitted on the
// worker's thread.
class TFolderSize : public QObject
{
    Q_OBJECT
public:
    // The folder's full path, the row of its entry when it was marked, and
    // the listing it was marked in (reports of an earlier listing are
    // dropped by the receiver).
    TFolderSize(const QString &folderPath, int rowIndex, quint64 listing, QObject *parent = nullptr);

    const QString FolderPath;
    const int RowIndex;
    const quint64 Listing;

    // The least time between two reports.
    static constexpr int kReportMsecs = 50;

Q_SIGNALS:
    // A running total in bytes; connect it queued so that it runs on the
    // window thread without stopping the walk.
    void ReportSize(int rowIndex, qint64 totalBytes);
};
