#pragma once

#include "platform/FolderChangeTriage.h"
#include "platform/FolderPath.h"
#include "platform/FolderWatch.h"

#include <QObject>
#include <QStringList>

#include <functional>

class QListView;

namespace quil {

class ChangeHold;
class PanelListModel;

// What the second panel's follower works on: the panel's list and its rows,
// its folder, the hold of its changes, listing another folder (and a step
// once it is shown; whether one is being read), its counters shown again
// and the information line.
struct FollowedPanel
{
    QListView &list;
    PanelListModel &rows;
    std::function<FolderPath()> folder;
    std::function<ChangeHold &()> changes;
    std::function<void(const FolderPath &)> listFolder;
    std::function<void(std::function<void()>)> whenListed;
    std::function<bool()> isReading;
    std::function<void()> showCounts;
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

    // The panel lists this folder: changes are gathered from now on.
    void follow(const FolderPath &folder);
    // Its listing is shown: what was gathered while it was read is applied.
    void caughtUp();

Q_SIGNALS:
    void applied();

private:
    void changesWaiting();
    void applyNames(const QSet<QString> &names);
    void removeRow(int row);
    void listAgain();
    void leaveGoneFolder();

    FollowedPanel m_panel;
    FolderWatch m_watch;
    FolderChangeTriage m_triage;
};

} // namespace quil
