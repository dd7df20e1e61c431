#pragma once

#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

namespace quil::fileop {

// Runs each batch of a job on the caller's thread and on helper threads
// beside it, which start with the first batch and wait for the next one
// between batches, so that a job of many small batches (one a folder)
// starts its threads once.
class BatchThreads
{
public:
    explicit BatchThreads(int helpers) : m_helpers(helpers) {}
    ~BatchThreads();
    BatchThreads(const BatchThreads &) = delete;
    BatchThreads &operator=(const BatchThreads &) = delete;

    // Calls work(0) on this thread and work(1..helpers) on the helpers, and
    // returns once every call has returned.
    void run(const std::function<void(int worker)> &work);

private:
    void helperLoop(int worker, const std::stop_token &stop);

    const int m_helpers;
    std::mutex m_mutex;
    // Its waits on a thread's stop token wake when the thread is stopped.
    std::condition_variable_any m_wake;
    const std::function<void(int)> *m_work = nullptr;
    unsigned m_started = 0;              // batches handed out
    int m_finished = 0;                  // helpers through with the newest batch
    std::vector<std::jthread> m_threads; // last: stopped and joined first
};

} // namespace quil::fileop
