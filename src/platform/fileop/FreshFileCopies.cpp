#include "platform/fileop/FreshFileCopies.h"

#include "platform/BytePath.h"
#include "platform/fileop/BatchThreads.h"
#include "platform/fileop/LeafCopy.h"
#include "platform/fileop/OperationState.h"

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
    BatchThreads thread{1}; // last: stopped and joined first
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
    Batch batch;
    batch.src = src;
    batch.dst = dst;
    batch.srcPath = &srcPath;
    batch.dstPath = &dstPath;
    batch.traits = traits;
    batch.names = &names;
    batch.depth = depth;
    batch.copied.assign(size_t(names.size()), 0);
    m_helper->thread.run([&](int worker) { work(worker == 0 ? own : m_helper->leaf, batch); });
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

} // namespace quil::fileop
