#include "platform/fileop/GioFreshCopies.h"

#include "platform/fileop/GioCalls.h"
#include "platform/fileop/GioFileCopy.h"
#include "platform/fileop/OperationState.h"
#include "platform/fileop/UndoPlaces.h"

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <thread>

namespace quil::fileop {

namespace {

// Copies in flight at once: past this a server gains little.
constexpr int kCopiesAtOnce = 8;
// Fewer files than this are done before the helpers would have started.
constexpr size_t kWorthFrom = 3;

} // namespace

struct GioFreshCopies::Batch
{
    const std::vector<Item> *items = nullptr;
    bool move = false;
    int depth = 0;
    std::vector<Result> results; // one writer an entry
    std::atomic<size_t> next{0};
};

struct GioFreshCopies::Pool
{
    Batch batch;
    std::mutex mutex;
    // Its waits on a thread's stop token wake when the thread is stopped.
    std::condition_variable_any wake;
    unsigned started = 0;              // batches handed out
    int finished = 0;                  // helpers through with the newest batch
    std::vector<std::jthread> threads; // last: stopped and joined first
};

GioFreshCopies::GioFreshCopies(OperationState &state, GCancellable *cancellable)
    : m_state(state), m_cancellable(cancellable)
{}

GioFreshCopies::~GioFreshCopies() = default;

bool GioFreshCopies::worthIt(size_t files)
{
    return files >= kWorthFrom;
}

std::vector<GioFreshCopies::Result> GioFreshCopies::copy(const std::vector<Item> &items, bool move, int depth)
{
    if (!m_pool)
        m_pool = std::make_unique<Pool>();
    Pool &pool = *m_pool;
    Batch &batch = pool.batch;
    {
        const std::scoped_lock lock(pool.mutex);
        batch.items = &items;
        batch.move = move;
        batch.depth = depth;
        batch.results.assign(items.size(), Result::NotDone);
        batch.next = 0;
        pool.finished = 0;
        ++pool.started;
    }
    // Each helper's GIO calls go over a connection of its own thread.
    while (pool.threads.size() < kCopiesAtOnce - 1) {
        pool.threads.emplace_back([this, &pool](const std::stop_token &stop) {
            unsigned seen = 0;
            for (;;) {
                {
                    std::unique_lock lock(pool.mutex);
                    pool.wake.wait(lock, stop, [&] { return pool.started != seen; });
                    if (stop.stop_requested())
                        return;
                    seen = pool.started;
                }
                work(pool.batch);
                {
                    const std::scoped_lock lock(pool.mutex);
                    ++pool.finished;
                }
                pool.wake.notify_all();
            }
        });
    }
    pool.wake.notify_all();
    work(batch);
    {
        std::unique_lock lock(pool.mutex);
        pool.wake.wait(lock, [&] { return pool.finished == int(pool.threads.size()); });
    }
    return batch.results;
}

void GioFreshCopies::work(Batch &batch)
{
    for (;;) {
        const size_t at = batch.next++;
        if (at >= batch.items->size() || m_state.cancelled())
            return;
        const Item &item = (*batch.items)[at];
        m_state.enter(gioShownName(item.source));
        if (!copyIntoPlace(m_state, m_cancellable, item.source, item.info, item.destination, false, nullptr))
            continue;
        batch.results[at] = Result::Copied;
        if (batch.move && !g_file_delete(item.source, m_cancellable, nullptr))
            continue;
        batch.results[at] = Result::Done;
        noteGioPlaced(m_state, item.source, item.destination);
        m_state.itemDone(batch.depth);
    }
}

} // namespace quil::fileop
