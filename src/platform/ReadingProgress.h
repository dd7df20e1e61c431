#pragma once

#include <atomic>

namespace quil {

// Shared by a folder reading on a worker and the window that waits for it:
// the entries read so far, which the window shows, and the window's request
// to stop, which the reading checks as it goes.
struct ReadingProgress
{
    std::atomic<long long> entriesRead{0};
    std::atomic<bool> stopRequested{false};

    bool stopped() const { return stopRequested.load(std::memory_order_relaxed); }
};

} // namespace quil
