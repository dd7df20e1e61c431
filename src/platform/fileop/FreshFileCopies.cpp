#include "platform/fileop/FreshFileCopies.h"

#include "platform/BytePath.h"
#include "platform/fileop/LeafCopy.h"
#include "platform/fileop/OperationState.h"

#include <condition_variable>
#include <mutex>
#include <thread>

namespace quil::fileop {

namespace {

// Fewer files than this are done before a helper would have started on them.
constexpr qsizetype kWorthFrom = 4;

} // namespace

struct FreshFileCopies::Helper
{
    explicit Helper(OperationState &state) : leaf(state) {}

    LeafCopy leaf;
    Batch batch;
    std::mutex mutex;
    // Its waits on the thread's stop token wake when the thread is stopped.
    std::condition_variable_any wake;
    unsigned started = 0;  // batches handed out
    unsigned finished = 0; // batches the helper is through with
    std::jthread thread;   // last: stopped and joined first
};

FreshFileCopies::FreshFileCopies(OperationState &state) : m_state(state) {}

FreshFileCopies::~FreshFileCopies() = default;

bool FreshFileCopies::worthIt(qsizetype files)
{
    static const bool twoCores = std::thread::hardware_concurrency() >= 2;
    return twoCores && files >= kWorthFrom;
}

Outcome FreshFileCopies::copy(LeafCopy &own, int src, const QByteArray &srcPath, int dst, const QByteArray &dstPath,
                              FolderTraits traits, const QList<QByteArray> &names, int depth, std::vector<bool> &done)
{
    if (!m_helper)
        m_helper = std::make_unique<Helper>(m_state);
    Helper &helper = *m_helper;
    Batch &batch = helper.batch;
    {
        std::scoped_lock lock(helper.mutex);
        batch.src = src;
        batch.dst = dst;
        batch.srcPath = &srcPath;
        batch.dstPath = &dstPath;
        batch.traits = traits;
        batch.names = &names;
        batch.depth = depth;
        batch.copied.assign(size_t(names.size()), 0);
        batch.next = 0;
        batch.cancelled = false;
        ++helper.started;
    }
    if (!helper.thread.joinable())
        helper.thread = std::jthread([this, &helper](std::stop_token stop) { helperLoop(helper, stop); });
    helper.wake.notify_all();
    work(own, batch);
    {
        std::unique_lock lock(helper.mutex);
        helper.wake.wait(lock, [&] { return helper.finished == helper.started; });
    }
    done.assign(batch.copied.begin(), batch.copied.end());
    return batch.cancelled || m_state.cancelled() ? Outcome::Cancelled : Outcome::Done;
}

void FreshFileCopies::work(LeafCopy &leaf, Batch &batch)
{
    const qsizetype count = batch.names->size();
    for (;;) {
        const qsizetype at = batch.next++;
        if (at >= count || m_state.cancelled())
            return;
        const QByteArray &name = batch.names->at(at);
        const Place src{batch.src, name, bytepath::join(*batch.srcPath, name)};
        const Place dst{batch.dst, name, bytepath::join(*batch.dstPath, name), batch.traits};
        m_state.enter(src.path);
        const std::optional<Outcome> outcome = leaf.copyFreshFile(src, dst, batch.depth);
        if (outcome == Outcome::Cancelled) {
            batch.cancelled = true;
            return;
        }
        batch.copied[size_t(at)] = outcome == Outcome::Done;
    }
}

void FreshFileCopies::helperLoop(Helper &helper, const std::stop_token &stop)
{
    unsigned seen = 0;
    for (;;) {
        {
            std::unique_lock lock(helper.mutex);
            helper.wake.wait(lock, stop, [&] { return helper.started != seen; });
            if (stop.stop_requested())
                return;
            seen = helper.started;
        }
        work(helper.leaf, helper.batch);
        {
            std::scoped_lock lock(helper.mutex);
            helper.finished = seen;
        }
        helper.wake.notify_all();
    }
}

} // namespace quil::fileop
