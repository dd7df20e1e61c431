#pragma once

#include "platform/fileop/FileOperationCalls.h"
#include "platform/fileop/FreshFileCopies.h"
#include "platform/fileop/LeafCopy.h"
#include "platform/fileop/SourceFolders.h"
#include "platform/fileop/WalkFolder.h"

#include <QStringList>

#include <optional>
#include <vector>

namespace quil::fileop {

struct OperationState;

// Copy and move of a list of sources into a target folder (or, with one
// source, to a new path).
class TransferJob
{
public:
    TransferJob(OperationState &state, bool move) : m_state(state), m_leaf(state), m_move(move), m_freshCopies(state) {}

    bool run(const QStringList &sources, const QString &target);
    // Transfers one item and everything under it, src to dst.
    Outcome transferTree(const Place &src, const Place &dst);

private:
    enum class Collision { Proceed, Retry, Finished };
    struct FolderFrame;
    struct Source;
    using Stack = std::vector<FolderFrame>;

    bool openTarget(const QByteArray &targetPath, bool folderTarget, bool single);
    bool lookAtSources(const QStringList &sources, std::vector<Source> &items);
    bool intoItself(int parent, const QByteArray &name, const struct stat &st);
    // Transfers one item; nullopt when it is a folder whose walk was pushed.
    // regular: the folder listing says the source is a regular file.
    std::optional<Outcome> transferItem(const Place &src, Place dst, bool freshParent, Stack &stack,
                                        bool regular = false);
    Collision resolveCollision(const Place &src, Place &dst, const struct stat &st, const struct stat &existing,
                               int depth, bool &replace, bool &merge, Outcome &outcome);
    std::optional<Outcome> enterFolder(const Place &src, const Place &dst, const struct stat &st, bool merge,
                                       Stack &stack);
    Outcome finishFolder(FolderFrame &frame, int srcParent, int dstParent, int depth);
    void copyFreshFiles(FolderFrame &frame, int depth);

    OperationState &m_state;
    LeafCopy m_leaf;
    const bool m_move;
    FreshFileCopies m_freshCopies;
    SourceFolders m_sourceFolders;
    UniqueFd m_destination;
    QByteArray m_destinationPath;
    QByteArray m_newName;
    struct stat m_destinationStat = {};
    FolderTraits m_destinationTraits;
    // The paths of the folder on top of the walk.
    QByteArray m_srcPath, m_dstPath;
    int m_srcRoot = -1, m_dstRoot = -1;
};

} // namespace quil::fileop
