#include "search/ParallelTextTest.h"

#include "search/TextFinder.h"

#include <chrono>

namespace quil {

namespace {
// How long this thread waits for the helper's last file between idle calls.
constexpr auto kHelperWait = std::chrono::milliseconds(20);
enum Verdict : signed char { Untested = -1, NoMatch = 0, Match = 1 };
} // namespace

ParallelTextTest::ParallelTextTest(TextFinder &own, TextFinder &helper)
    : m_own(own), m_helper(helper), m_thread([this](const std::stop_token &end) { helperLoop(end); })
{}

ParallelTextTest::~ParallelTextTest()
{
    m_thread.request_stop();
    m_changed.notify_all();
}

void ParallelTextTest::helperLoop(const std::stop_token &end)
{
    std::unique_lock lock(m_lock);
    while (m_changed.wait(lock, end, [this] { return m_batch != nullptr; })) {
        Batch &batch = *std::exchange(m_batch, nullptr);
        m_helperBusy = true;
        lock.unlock();
        while (testNext(batch, m_helper)) {
        }
        lock.lock();
        m_helperBusy = false;
        m_changed.notify_all();
    }
}

bool ParallelTextTest::testNext(Batch &batch, TextFinder &finder)
{
    const size_t i = batch.next.fetch_add(1, std::memory_order_relaxed);
    if (i >= batch.candidates->size() || batch.stop->stop_requested())
        return false;
    const Candidate &candidate = (*batch.candidates)[i];
    const bool found = finder.matchesEntry(batch.dirFd, candidate.name.constData(), candidate.type);
    batch.verdicts[i].store(found ? Match : NoMatch, std::memory_order_release);
    return true;
}

bool ParallelTextTest::run(int dirFd, const std::vector<Candidate> &candidates, const std::stop_token &stop,
                           const std::function<void(const Candidate &)> &matched, const std::function<void()> &idle)
{
    const size_t count = candidates.size();
    Batch batch;
    batch.dirFd = dirFd;
    batch.candidates = &candidates;
    batch.stop = &stop;
    batch.verdicts = std::make_unique<std::atomic<signed char>[]>(count);
    for (size_t i = 0; i < count; ++i)
        batch.verdicts[i].store(Untested, std::memory_order_relaxed);
    size_t handedOn = 0;
    const auto handOnKnown = [&] {
        for (; handedOn < count; ++handedOn) {
            const signed char verdict = batch.verdicts[handedOn].load(std::memory_order_acquire);
            if (verdict == Untested)
                return;
            if (verdict == Match)
                matched(candidates[handedOn]);
        }
    };
    // A folder of one candidate is not worth the helper.
    if (count > 1) {
        const std::lock_guard lock(m_lock);
        m_batch = &batch;
        m_changed.notify_all();
    }
    // A file given up for Stop ends the test at once.
    while (testNext(batch, m_own) && !stop.stop_requested()) {
        handOnKnown();
        idle();
    }
    // The batch lives on this stack: wait until the helper has taken it and
    // let it go.
    for (;;) {
        handOnKnown();
        std::unique_lock lock(m_lock);
        if (m_changed.wait_for(lock, kHelperWait, [this] { return m_batch == nullptr && !m_helperBusy; }))
            break;
        lock.unlock();
        idle();
    }
    handOnKnown();
    return !stop.stop_requested();
}

} // namespace quil
