#pragma once

#include "platform/ScriptedDialogs.h"
#include "search/FileSearch.h"

#include <QByteArray>
#include <QStringList>
#include <functional>

// Records what the engine tells its window; hooks let a test press Stop (or
// Start again) at a chosen call.
class RecordingObserver : public quil::SearchObserver
{
public:
    void searchStarted() override { ++started; }
    void foldersToSearchChanged(qsizetype count) override
    {
        foldersToSearch.append(count);
        if (onFoldersToSearch)
            onFoldersToSearch(count);
    }
    void foldersDoneChanged(qsizetype count) override { foldersDone.append(count); }
    void foundCountChanged(qsizetype count) override { foundCounts.append(count); }
    void matchFound(const QString &path) override
    {
        matches.append(path);
        if (onMatch)
            onMatch(path);
    }
    void processPendingMessages() override
    {
        ++pendingCalls;
        if (onPending)
            onPending(pendingCalls);
    }
    void searchEnded(quil::SearchEnd how) override
    {
        ended.append(how);
        messagesBeforeEnd = dialogs.messages().size();
    }
    void showMessage(const QString &text, const QString &title, quil::Dialogs::Icon icon) override
    {
        dialogs.message(text, title, icon);
    }

    int started = 0;
    QList<qsizetype> foldersToSearch, foldersDone, foundCounts;
    QStringList matches;
    int pendingCalls = 0;
    QList<quil::SearchEnd> ended;
    qsizetype messagesBeforeEnd = -1;
    quil::ScriptedDialogs dialogs;
    std::function<void(int)> onPending;
    std::function<void(qsizetype)> onFoldersToSearch;
    std::function<void(const QString &)> onMatch;
};

// The names of a folder in the order the file system lists them.
QList<QByteArray> listingOrder(const QByteArray &folder);
