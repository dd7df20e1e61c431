#pragma once

#include "search/DirectoryReader.h"

#include <QByteArray>
#include <QString>

#include <atomic>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <stop_token>
#include <thread>
#include <vector>

namespace quil {

class TextFinder;

// The text test of one folder's candidates on two threads, this one and a
// helper that lives as long as the object, each taking the next untested
// candidate. Matches are handed on in the candidates' order, each as soon as
// every candidate before it is known, so the matches come in the folder's
// order as a test on one thread gives them. Each thread has a finder of its
// own (a finder reads into its own buffer).
class ParallelTextTest
{
public:
    struct Candidate
    {
        QByteArray name; // native
        DirectoryReader::Type type;
        QString path;
    };

    ParallelTextTest(TextFinder &own, TextFinder &helper);
    ~ParallelTextTest();
    ParallelTextTest(const ParallelTextTest &) = delete;
    ParallelTextTest &operator=(const ParallelTextTest &) = delete;

    // Tests the candidates of the folder open as dirFd. matched is called on
    // this thread for each match; idle between tests and while the helper
    // still tests. No candidate is taken once stop is requested; false then.
    bool run(int dirFd, const std::vector<Candidate> &candidates, const std::stop_token &stop,
             const std::function<void(const Candidate &)> &matched, const std::function<void()> &idle);

private:
    // One folder's test, shared by the two threads while it runs.
    struct Batch
    {
        int dirFd = -1;
        const std::vector<Candidate> *candidates = nullptr;
        const std::stop_token *stop = nullptr;
        std::unique_ptr<std::atomic<signed char>[]> verdicts;
        std::atomic<size_t> next{0};
    };
    static bool testNext(Batch &batch, TextFinder &finder);
    void helperLoop(const std::stop_token &end);

    TextFinder &m_own;
    TextFinder &m_helper;
    std::mutex m_lock;
    std::condition_variable_any m_changed;
    Batch *m_batch = nullptr;  // the batch the helper is to test, under m_lock
    bool m_helperBusy = false; // under m_lock
    std::jthread m_thread;     // last: it starts once the rest is made
};

} // namespace quil
