#pragma once

#include "platform/FolderChangeTriage.h"
#include "platform/FolderPath.h"
#include "platform/FolderWatch.h"

#include <QObject>
#include <QStringList>

#include <functional>

class QLabel;
class QListWidget;
class QListWidgetItem;

namespace quil {

class ChangeHold;

// A row of the second panel for a full path: its name, its icon, editable.
// Whether it is a folder is known from the listing: no stat per row.
QListWidgetItem *newPanelRow(const QString &path, bool isFolder);

// What the second panel's follower works on: the panel's list with the
// full paths of its rows (folders, then files), its two counters, its
// folder, the hold of its changes, listing another folder and the
// information line.
struct FollowedPanel
{
    QListWidget &list;
    QStringList &folders;
    QStringList &files;
    QLabel &folderCount;
    QLabel &fileCount;
    std::function<FolderPath()> folder;
    std::function<ChangeHold &()> changes;
    std::function<void(const FolderPath &)> listFolder;
    std::function<void(const QString &)> setInfo;
};

// Keeps the second panel in step with what other programs change in its
// folder, as the main list's follower does: rows put in their sorted place,
// removed (the current row moving on to the next) or given their new icon,
// the counters kept; the scroll position and an open name editor stay. A
// gathering too large is one listing of the folder, its current row kept by
// name. The folder removed or renamed: the nearest folder above that exists.
class PanelFollower : public QObject
{
    Q_OBJECT
public:
    explicit PanelFollower(const FollowedPanel &panel, QObject *parent = nullptr);

    // The panel has listed this folder.
    void follow(const FolderPath &folder);

Q_SIGNALS:
    void applied();

private:
    void changesWaiting();
    void applyNames(const QSet<QString> &names);
    void removeRow(int row);
    void listAgain();
    void leaveGoneFolder();
    void showCounts();

    FollowedPanel m_panel;
    FolderWatch m_watch;
    FolderChangeTriage m_triage;
};

} // namespace quil
