#pragma once

#include "fileops/MarkCommands.h"
#include "platform/FolderPath.h"

#include <QList>
#include <QObject>
#include <QString>

#include <memory>

class TFolderSize;

namespace quil {

class FolderSizeWorker;
class MainList;
class SecondPanel;

// The marks of the main list and their summary: the mark commands, the
// summary line, and the register of marked folders whose sizes the one
// folder-size worker totals, with their reports. Everything here runs on
// the window thread.
class MarksController : public QObject
{
    Q_OBJECT
public:
    explicit MarksController(MainList &list, QObject *parent = nullptr);
    // Stops the worker and waits for its thread.
    ~MarksController() override;

    // Recomputes the three counters from the marked entries (one look-up
    // each) and writes the summary line.
    void ShowSelectionSummary();
    // Flips the mark of the current row's entry; a folder newly marked is
    // queued for its size; then the full summary. Nothing without a current
    // row.
    void ToggleCurrentMark();
    // The mask commands on the file entries, with the busy cursor. An
    // invalid mask raises InvalidMaskError before any mark changes (and no
    // summary is computed).
    void SelectByMask(const QString &mask);
    void UnselectByMask(const QString &mask);
    // Compares with the rows the second panel shows now (none without it).
    void SelectMissing(const QString &mask);
    // Flips the marks of every file entry.
    void InvertSelection();
    // Unmarks every entry and redraws the list; the summary stays as it was
    // until the next change of marks or listing.
    void clearMarks();

    // Queues a folder and its row for the folder-size worker and adds it to
    // the register.
    void queueFolderSize(const FolderPath &folder, int rowIndex);
    // A folder's walk has ended, or it was taken off the queue: out of the
    // register, and freed.
    void releaseFolder(TFolderSize *folder);
    // Shows a folder's report: the status text, the summary with the
    // folder's kilobytes added, and the kilobytes in the row's size field.
    void AddListVievSize(int rowIndex, qint64 totalBytes);

    // The listing is about to be replaced (or discarded at close): the walk
    // is stopped, the folders still waiting are dropped, and later reports
    // are dropped.
    void listingReplaced();

    const SelectionSummary &summary() const { return m_summary; }
    // The folders being walked or waiting, oldest first.
    const QList<TFolderSize *> &workers() const { return m_workers; }
    FolderSizeWorker &folderSizes() const { return *m_folderSizes; }
    // The second panel the comparison reads; may be null.
    SecondPanel *secondPanel() const;

private:
    void applyMaskCommand(MaskCommand command, const QString &mask);
    // Redraws every row (marks changed) and recomputes the summary.
    void marksChanged();

    MainList &m_list;
    SelectionSummary m_summary;
    QList<TFolderSize *> m_workers;
    std::unique_ptr<FolderSizeWorker> m_folderSizes;
    // Counts the listings; a folder carries the one it was marked in.
    quint64 m_listing = 0;
};

} // namespace quil
