#include "search/BackgroundSearch.h"

namespace quil {

namespace {

constexpr int progressMsecs = 50;

} // namespace

void BackgroundSearch::Observer::searchStarted()
{
    // The engine clears StopRequested as it begins; a Stop pressed between
    // Start and this moment must not be lost.
    if (m_owner.m_stopPressed)
        m_owner.m_search.requestStop();
}

void BackgroundSearch::Observer::showMessage(const QString &text, const QString &title, Dialogs::Icon icon)
{
    m_owner.m_messages.append({text, title, icon});
}

BackgroundSearch::BackgroundSearch(QObject *parent) : QObject(parent)
{
    m_progressTimer.setInterval(progressMsecs);
    connect(&m_progressTimer, &QTimer::timeout, this, &BackgroundSearch::reportProgress);
}

BackgroundSearch::~BackgroundSearch()
{
    // The thread is joined as it goes.
    m_search.requestStop();
}

bool BackgroundSearch::start(const SearchRequest &request)
{
    if (m_running)
        return false;
    m_running = true;
    m_request = request;
    m_stopPressed = false;
    m_messages.clear();
    m_toSearch = 1;
    m_done = 0;
    m_found = 0;
    m_shownToSearch = m_shownDone = m_shownFound = -1;
    reportProgress();
    m_progressTimer.start();
    m_thread = std::jthread([this] {
        m_search.start(m_request);
        QMetaObject::invokeMethod(this, &BackgroundSearch::finish, Qt::QueuedConnection);
    });
    return true;
}

void BackgroundSearch::stop()
{
    if (!m_running)
        return;
    m_stopPressed = true;
    m_search.requestStop();
}

void BackgroundSearch::reportProgress()
{
    const qsizetype toSearch = m_toSearch, done = m_done, found = m_found;
    if (toSearch == m_shownToSearch && done == m_shownDone && found == m_shownFound)
        return;
    m_shownToSearch = toSearch;
    m_shownDone = done;
    m_shownFound = found;
    Q_EMIT progress(toSearch, done, found);
}

void BackgroundSearch::finish()
{
    m_progressTimer.stop();
    m_thread.join();
    reportProgress();
    m_running = false;
    Q_EMIT ended(m_end);
}

} // namespace quil
