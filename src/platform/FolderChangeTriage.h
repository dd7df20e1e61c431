#pragma once

#include <QSet>
#include <QString>

#include <functional>

class QObject;

namespace quil {

class ChangeHold;
class FolderWatch;

// What a gathering of a watched folder's notices asks of the list that shows
// it: its names applied row by row, all at once when there are many, one
// listing of the folder when the watch overflowed (or many cannot be applied
// at once), or leaving the folder when it is gone. A running command has the
// whole gathering wait until it is done; all but the first also wait until
// an open name editor has closed.
class FolderChangeTriage
{
public:
    // Most names one gathering applies row by row; more are one listing.
    static constexpr int kRowChangesLimit = 200;

    struct Steps
    {
        // Called again once the command that held the notices is done.
        std::function<void()> retry;
        std::function<void(const QSet<QString> &names)> applyNames;
        // A gathering too large to apply row by row (optional: else a listing).
        std::function<void(const QSet<QString> &names)> applyManyNames;
        std::function<void()> listAgain;
        std::function<void()> leaveGoneFolder;
    };

    // `owner` holds this triage and the watch: steps are not run after it is gone.
    FolderChangeTriage(FolderWatch &watch, QObject &owner, Steps steps);

    // Another folder is shown: what was pending for the last one is dropped.
    void forget();
    // Takes the watch's gathering for the shown `folder`.
    void triage(ChangeHold &hold, const QString &folder);

private:
    FolderWatch &m_watch;
    QObject &m_owner;
    Steps m_steps;
    bool m_folderGone = false;
    bool m_listNeeded = false;
    QSet<QString> m_manyNames;
};

} // namespace quil
