#pragma once

#include <gio/gio.h>

#include <memory>
#include <vector>

namespace quil::fileop {

struct OperationState;
class BatchThreads;

// Copies the regular files of a folder that the copy itself made on a GIO
// location several at once. Each file to or from a server costs a few round
// trips (write, check, rename) that leave the line idle, where the server
// takes several files at once well; in a fresh folder a file has no name to
// collide with and nothing to ask before it is written. What fails is left
// to the caller, which copies it again the usual way, with its questions.
class GioFreshCopies
{
public:
    GioFreshCopies(OperationState &state, GCancellable *cancellable);
    ~GioFreshCopies();
    GioFreshCopies(const GioFreshCopies &) = delete;
    GioFreshCopies &operator=(const GioFreshCopies &) = delete;

    // Whether a batch of this many files is worth the helper threads.
    static bool worthIt(size_t files);

    struct Item
    {
        GFile *source;
        GFileInfo *info;
        GFile *destination;
    };
    enum class Result : char {
        NotDone, // failed, or not reached: the caller's to do
        Copied,  // in place, but a moved source could not be removed
        Done,
    };
    // Copies (for a move: then removes the source of) each item; depth is
    // theirs, for the progress. Returns when every copy has ended.
    std::vector<Result> copy(const std::vector<Item> &items, bool move, int depth);

private:
    struct Batch;

    void work(Batch &batch);

    OperationState &m_state;
    GCancellable *m_cancellable;
    std::unique_ptr<BatchThreads> m_threads; // made with the first batch
};

} // namespace quil::fileop
