#pragma once

#include "fileops/MarkCommands.h"

#include <QList>
#include <QObject>
#include <QString>

class TFolderSize;

namespace quil {

class MainList;
class SecondPanel;

// The marks of the main list and their summary: the mark commands, the
// summary line and the register of folder-size workers with their
// reports. Everything here runs on the window thread.
class MarksController : public QObject
{
    Q_OBJECT
public:
    explicit MarksController(MainList &list, QObject *parent = nullptr);
    // Stops the running workers and waits for them.
    ~MarksController() override;

    // Recomputes the three counters from the marked entries (one look-up
    // each) and writes the summary line.
    void ShowSelectionSummary();
    // Flips the mark of the current row's entry; a folder newly marked gets
    // a worker; then the full summary. Nothing without a current row.
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

    // Starts a folder-size worker for a folder and its row, one step below
    // normal priority, and adds it to the register.
    void RunThread(const QString &folderPath, int rowIndex);
    // A worker has ended: out of the register, and freed.
    void TerminateThread(TFolderSize *worker);
    // Shows a worker's report: the status text, the summary with the
    // worker's kilobytes added, and the kilobytes in the row's size field.
    void AddListVievSize(int rowIndex, qint64 totalBytes);

    // The listing is about to be replaced (or discarded at close): running
    // workers are asked to stop and their later reports are dropped.
    void listingReplaced();

    const SelectionSummary &summary() const { return m_summary; }
    // The running workers, oldest first.
    const QList<TFolderSize *> &workers() const { return m_workers; }
    // The second panel the comparison reads; may be null.
    SecondPanel *secondPanel() const;

private:
    void applyMaskCommand(MaskCommand command, const QString &mask);
    // Redraws every row (marks changed) and recomputes the summary.
    void marksChanged();

    MainList &m_list;
    SelectionSummary m_summary;
    QList<TFolderSize *> m_workers;
    // Counts the listings; a worker carries the one it was started for.
    quint64 m_listing = 0;
};

} // namespace quil
