#pragma once

#include "platform/fileop/FileOperationCalls.h"

#include <QByteArray>
#include <QList>

#include <atomic>
#include <memory>
#include <vector>

namespace quil::fileop {

struct OperationState;
class LeafCopy;

// Copies the regular files of a folder the copy itself made on two threads at
// once: there such a file has no name to collide with and nothing to ask
// before it is written, so the copies are independent, and most of their
// time is the kernel's, which then runs on two cores. What fails is left to
// the caller, which copies it again the usual way, with its questions.
class FreshFileCopies
{
public:
    explicit FreshFileCopies(OperationState &state);
    ~FreshFileCopies();
    FreshFileCopies(const FreshFileCopies &) = delete;
    FreshFileCopies &operator=(const FreshFileCopies &) = delete;

    // Whether a batch is worth a second thread: this machine has a second
    // core and the folder at least this many files.
    static bool worthIt(qsizetype files);

    // Copies names from the open folder src (at srcPath) into the fresh
    // folder dst (at dstPath), the caller's thread sharing the work with a
    // helper (own does the caller's part). done[i] becomes true for each
    // name copied. Returns when every copy has ended; Cancelled if the
    // operation was cancelled meanwhile, Done otherwise.
    Outcome copy(LeafCopy &own, int src, const QByteArray &srcPath, int dst, const QByteArray &dstPath,
                 FolderTraits traits, const QList<QByteArray> &names, int depth, std::vector<bool> &done);

private:
    struct Batch
    {
        int src = -1, dst = -1;
        const QByteArray *srcPath = nullptr, *dstPath = nullptr;
        FolderTraits traits;
        const QList<QByteArray> *names = nullptr;
        int depth = 0;
        std::vector<char> copied; // one writer an entry
        std::atomic<qsizetype> next{0};
        std::atomic<bool> cancelled{false}; // a copy of the batch ended Cancelled
    };
    // Made with the first batch: a copy that makes no folder starts no thread.
    struct Helper;

    void work(LeafCopy &leaf, Batch &batch);

    OperationState &m_state;
    std::unique_ptr<Helper> m_helper;
};

} // namespace quil::fileop
