#include "platform/fileop/GioFreshCopies.h"

#include "platform/fileop/BatchThreads.h"
#include "platform/fileop/GioCalls.h"
#include "platform/fileop/GioFileCopy.h"
#include "platform/fileop/OperationState.h"
#include "platform/fileop/UndoPlaces.h"

#include <atomic>

namespace quil::fileop {

namespace {

// Copies in flight at once: past this a server gains little.
constexpr int kCopiesAtOnce = 8;
// Fewer files than this are done before the helpers would have started.
constexpr size_t kWorthFrom = 3;

} // namespace

struct GioFreshCopies::Batch
{
    const std::vector<Item> &items;
    const bool move;
    const int depth;
    std::vector<Result> results; // one writer an entry
    std::atomic<size_t> next{0};
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
    // Each helper's GIO calls go over a connection of its own thread.
    if (!m_threads)
        m_threads = std::make_unique<BatchThreads>(kCopiesAtOnce - 1);
    Batch batch{items, move, depth, std::vector<Result>(items.size(), Result::NotDone)};
    m_threads->run([this, &batch](int) { work(batch); });
    return batch.results;
}

void GioFreshCopies::work(Batch &batch)
{
    for (;;) {
        const size_t at = batch.next++;
        if (at >= batch.items.size() || m_state.cancelled())
            return;
        const Item &item = batch.items[at];
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
