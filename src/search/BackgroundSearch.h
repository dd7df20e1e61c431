#pragma once

#include "search/FileSearch.h"

#include <QList>
#include <QObject>
#include <QTimer>
#include <atomic>
#include <thread>

namespace quil {

// Runs the file search on a worker thread, so that the window repaints and
// Stop works while folders are read. Lives in the window's thread; every
// signal comes there. The counters are coalesced: at most one progress
// signal every 50 ms, and one when the search has ended.
class BackgroundSearch : public QObject
{
    Q_OBJECT
public:
    // A message box the search asked for, shown by the window after the end.
    struct Message
    {
        QString text;
        QString title;
        Dialogs::Icon icon = Dialogs::Icon::None;
    };

    explicit BackgroundSearch(QObject *parent = nullptr);
    // Stops a running search and waits for its thread.
    ~BackgroundSearch() override;

    // Starts one search with the fields as they stand now. False (and
    // nothing started) while a search runs.
    bool start(const SearchRequest &request);
    // Asks the running search to stop at its next check point; a Stop that
    // comes before the worker has begun still counts. Nothing while idle.
    void stop();
    bool isRunning() const { return m_running; }

    // What the last search found, in the order found; valid once ended.
    const QStringList &FoundList() const { return m_search.FoundList(); }
    // The message boxes of the last search, in the order asked; valid once ended.
    const QList<Message> &messages() const { return m_messages; }

Q_SIGNALS:
    // Label6, Label10 and Label9: folders to search, folders done, found.
    void progress(qsizetype foldersToSearch, qsizetype foldersDone, qsizetype found);
    // The search has ended, however it ended; the next one may start.
    void ended(quil::SearchEnd how);

private:
    // The engine's observer, called on the worker thread.
    class Observer : public SearchObserver
    {
    public:
        explicit Observer(BackgroundSearch &owner) : m_owner(owner) {}
        void foldersToSearchChanged(qsizetype count) override { m_owner.m_toSearch = count; }
        void foldersDoneChanged(qsizetype count) override { m_owner.m_done = count; }
        void foundCountChanged(qsizetype count) override { m_owner.m_found = count; }
        void searchEnded(SearchEnd how) override { m_owner.m_end = how; }
        void showMessage(const QString &text, const QString &title, Dialogs::Icon icon) override;

    private:
        BackgroundSearch &m_owner;
    };

    void reportProgress();
    void finish();

    Observer m_observer{*this};
    FileSearch m_search{m_observer};
    SearchRequest m_request;
    QTimer m_progressTimer;
    bool m_running = false;
    std::atomic<qsizetype> m_toSearch = 1, m_done = 0, m_found = 0;
    std::atomic<SearchEnd> m_end = SearchEnd::Finished;
    qsizetype m_shownToSearch = -1, m_shownDone = -1, m_shownFound = -1;
    // Written by the worker only, read once its thread has ended.
    QList<Message> m_messages;
    // Last: asked to stop and joined before the rest goes. Its stop token is
    // the search's, so a Stop before the worker has begun still counts.
    std::jthread m_thread;
};

} // namespace quil
