#include "search/BackgroundSearch.h"

namespace quil {

namespace {

constexpr int progressMsecs = 50;

} // namespace

void BackgroundSearch::Observer::showMessage(const QString &text, const QString &title, Dialogs::Icon icon)
{
    m_owner.m_messages.append({text, title, icon});
}

BackgroundSearch::BackgroundSearch(QObject *parent) : QObject(parent)
{
    m_progressTimer.setInterval(progressMsecs);
    connect(&m_progressTimer, &QTimer::timeout, this, &BackgroundSearch::reportProgress);
}

// The thread is asked to stop and joined as it goes.
BackgroundSearch::~BackgroundSearch() = default;

bool BackgroundSearch::start(const SearchRequest &request)
{
    if (m_running)
        return false;
    m_running = true;
    m_request = request;
    m_messages.clear();
    m_toSearch = 1;
    m_done = 0;
    m_found = 0;
    m_shownToSearch = m_shownDone = m_shownFound = -1;
    reportProgress();
    m_progressTimer.start();
    m_thread = std::jthread([this](std::stop_token stop) {
        m_search.start(m_request, std::move(stop));
        QMetaObject::invokeMethod(this, &BackgroundSearch::finish, Qt::QueuedConnection);
    });
    return true;
}

void BackgroundSearch::stop()
{
    if (!m_running)
        return;
    m_thread.request_stop();
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
