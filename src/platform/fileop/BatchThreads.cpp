#include "platform/fileop/BatchThreads.h"

namespace quil::fileop {

BatchThreads::~BatchThreads()
{
    // Stopped and joined before the members they wait on go.
    m_threads.clear();
}

void BatchThreads::run(const std::function<void(int worker)> &work)
{
    {
        const std::scoped_lock lock(m_mutex);
        m_work = &work;
        m_finished = 0;
        ++m_started;
    }
    while (int(m_threads.size()) < m_helpers) {
        const int worker = int(m_threads.size()) + 1;
        m_threads.emplace_back([this, worker](const std::stop_token &stop) { helperLoop(worker, stop); });
    }
    m_wake.notify_all();
    work(0);
    std::unique_lock lock(m_mutex);
    m_wake.wait(lock, [&] { return m_finished == m_helpers; });
    m_work = nullptr;
}

void BatchThreads::helperLoop(int worker, const std::stop_token &stop)
{
    unsigned seen = 0;
    for (;;) {
        const std::function<void(int)> *work = nullptr;
        {
            std::unique_lock lock(m_mutex);
            m_wake.wait(lock, stop, [&] { return m_started != seen; });
            if (stop.stop_requested())
                return;
            seen = m_started;
            work = m_work;
        }
        (*work)(worker);
        {
            const std::scoped_lock lock(m_mutex);
            ++m_finished;
        }
        m_wake.notify_all();
    }
}

} // namespace quil::fileop
