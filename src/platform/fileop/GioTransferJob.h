#pragma once

#include "platform/fileop/FileOperationCalls.h"
#include "platform/fileop/GioFreshCopies.h"
#include "platform/gio/GObjectRef.h"

#include <QStringList>

#include <gio/gio.h>

namespace quil::fileop {

struct OperationState;

// Copy and move where a source or the target folder is a GIO location (a
// network folder, an archive, the trash), through GIO, with the same
// questions and no-loss rules as on disk: each file is written under a
// temporary name beside its final one, its size checked, and only then
// renamed into place; a move removes a source only after its copy is whole,
// and a folder only when everything in it has moved. Runs on the operation's
// worker thread; the locations are mounted before (by listing them).
class GioTransferJob
{
public:
    GioTransferJob(OperationState &state, bool move);

    bool run(const QStringList &sources, const QString &target);

private:
    // listed: the source's data as its folder's listing gave it, if any;
    // freshFolder: destination lies in a folder this job has just made.
    Outcome transfer(GFile *source, GFileInfo *listed, GFile *destination, int depth, bool freshFolder);
    Outcome transferFolder(GFile *source, GFile *destination, bool exists, int depth);
    Outcome transferFile(GFile *source, GFileInfo *info, GFile *destination, bool exists);
    // A fresh folder's regular files, several at once; results as the batch's.
    std::vector<GioFreshCopies::Result> copyFreshFiles(const std::vector<GObjectRef<GFile>> &sources,
                                                       const std::vector<GObjectRef<GFileInfo>> &infos,
                                                       const std::vector<GObjectRef<GFile>> &targets, int depth);
    // A move that GIO does as one step (a rename on the same server); false
    // where it cannot, and the item is then copied.
    bool movedInOneStep(GFile *source, GFile *destination, Outcome &outcome);
    Outcome removeSource(GFile *source);
    void countTotals(GFile *file, GFileInfo *listed);
    // Runs step until it succeeds or the user gives the item up.
    template <typename Step> Outcome attempt(GFile *file, Step step);

    // Whether a moved item's sources go as they are copied (not where the
    // item is taken away whole at the end).
    bool removesSources() const { return m_move && !m_keepsInsides; }

    OperationState &m_state;
    const bool m_move;
    bool m_keepsInsides = false;
    GObjectRef<GCancellable> m_cancellable;
    GioFreshCopies m_freshCopies;
};

// Whether a copy or move of these sources into target is one for GIO.
bool needsGio(const QStringList &sources, const QString &target);

} // namespace quil::fileop
