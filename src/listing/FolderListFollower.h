#pragma once

#include "platform/FolderChangeTriage.h"
#include "platform/FolderPath.h"
#include "platform/FolderWatch.h"

#include <QObject>
#include <QString>

#include <functional>
#include <memory>
#include <thread>

namespace quil {

class FolderListing;
class FolderListModel;
class FolderListView;

class ChangeHold;

// What the main list's follower works on.
struct FollowedList
{
    FolderListing &listing;
    FolderListModel &model;
    FolderListView &view;
    // Changes wait here while a command runs; re-reads also while a name is
    // edited.
    ChangeHold &changes;
    // A marked entry changed or went: the selection summary counts again.
    std::function<void()> marksChanged;
    // Lists a folder (raises OsError when it cannot).
    std::function<void(const FolderPath &folder)> listFolder;
    // Writes the status line.
    std::function<void(const QString &text)> setStatus;
};

// Keeps the main list in step with what other programs change in its folder
// (FolderWatch). Each gathering is applied row by row, without reading the
// folder: an entry that came is put in its sorted place, one that went is
// removed (the current row moving on to the next entry), one that changed is
// read again and moved when the order asks. Marks, the current row, an open
// name editor and the folder-size rows stay on their entries, and a scrolled
// list keeps its top entry. A gathering too large for that is one re-read on
// a worker thread, taken in as one change of layout that keeps the same by
// name. The listed folder removed or renamed: the nearest folder above that
// exists is listed, with a status line saying why. Window thread only.
class FolderListFollower : public QObject
{
    Q_OBJECT
public:
    explicit FolderListFollower(const FollowedList &list, QObject *parent = nullptr);
    ~FolderListFollower() override;

    const FolderWatch &watch() const { return m_watch; }

Q_SIGNALS:
    // Changes of the folder were applied to the list.
    void applied();

private:
    // The listed folder changed (or was read again): watch it.
    void follow();
    void changesWaiting();
    void applyNames(const QSet<QString> &names);
    // Takes the current row to the next entry when row's entry goes, and
    // removes the row.
    void removeRow(int row);
    // Applies a large gathering at once: the names' entries read and sorted
    // on a worker, merged into the list in one pass.
    void applyManyNames(const QSet<QString> &names);
    void takeNamedEntries(const QSet<QString> &names, FolderListing &batch);
    void readAgain();
    void takeReadListing();
    void leaveGoneFolder();

    FollowedList m_list;
    FolderWatch m_watch;
    // Counts the listings; a re-read of an earlier one is dropped.
    quint64 m_listingCount = 0;
    FolderChangeTriage m_triage;
    // From the start of a re-read until it was taken in.
    bool m_reading = false;
    quint64 m_readFor = 0;
    std::shared_ptr<FolderListing> m_read;
    // Last: joined before the rest goes.
    std::jthread m_reader;
};

} // namespace quil
