#pragma once

#include "platform/Dialogs.h"

#include <QString>

namespace quil {

// How a search ended.
enum class SearchEnd {
    Finished,       // every folder searched
    Stopped,        // StopRequested seen at a check point
    EmptyRoot,      // the root text was empty or blank: nothing searched, no message
    MissingRoot,    // the root could not be made the current folder
    AlreadyRunning, // Start while a search runs: ignored, nothing reported
};

// What the running search tells the window (or a tool, or a test). Every call
// comes synchronously from the thread that runs FileSearch::start. All but
// showMessage have empty defaults.
class SearchObserver
{
public:
    virtual ~SearchObserver() = default;

    // The search has begun: clear the result list, enable Stop, disable Start.
    virtual void searchStarted() {}
    // Label6, the number of folders to search. During the collection of
    // folders it comes every 51 files and the label should repaint at once.
    virtual void foldersToSearchChanged(qsizetype count) { Q_UNUSED(count) }
    // Label10, the number of folders finished.
    virtual void foldersDoneChanged(qsizetype count) { Q_UNUSED(count) }
    // Label9, FoundCount.
    virtual void foundCountChanged(qsizetype count) { Q_UNUSED(count) }
    // A match, just appended to FoundList.
    virtual void matchFound(const QString &path) { Q_UNUSED(path) }
    // "Let pending messages be processed". Called often (after every
    // directory entry); a window may throttle it to once every 10 ms. Stop
    // pressed meanwhile requests a stop of the search's stop token.
    virtual void processPendingMessages() {}
    // The search has ended, before its closing message: enable Start, disable
    // Stop, copy FoundList into the result list.
    virtual void searchEnded(SearchEnd how) { Q_UNUSED(how) }
    // A message box with an OK button, text and title exactly as given. A
    // window passes it to Dialogs::message.
    virtual void showMessage(const QString &text, const QString &title, Dialogs::Icon icon) = 0;
};

} // namespace quil
