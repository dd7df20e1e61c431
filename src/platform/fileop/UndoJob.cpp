#include "platform/fileop/UndoJob.h"

#include "platform/BytePath.h"
#include "platform/NativePath.h"
#include "platform/fileop/CopiedTreeCheck.h"
#include "platform/fileop/DeleteJob.h"
#include "platform/fileop/GioItemJobs.h"
#include "platform/fileop/GioTransferJob.h"
#include "platform/fileop/OperationState.h"
#include "platform/fileop/RenameJob.h"
#include "platform/fileop/SourceFolders.h"
#include "platform/fileop/TransferJob.h"
#include "platform/fileop/UndoPlaces.h"

#include <QMap>

#include <cerrno>
#include <unistd.h>

namespace quil::fileop {

namespace {

using Choice = OperationState::Choice;

// Whether the item is still what the operation left at to, without a word.
bool isAsLeft(const UndoEntry::Kind kind, const UndoItem &item)
{
    const std::optional<ItemIdentity> now = readPlaceIdentity(item.to);
    if (!now)
        return false;
    if (kind == UndoEntry::Kind::CreateFolder)
        return now->isFolder() && now->device == item.identity.device && now->inode == item.identity.inode;
    if (kind == UndoEntry::Kind::Trash && !placeExists(item.trashInfo))
        return false;
    return now->sameAs(item.identity);
}

// Moves items back through the engine their places need: GIO where one of
// them is a GIO location, the program's own on disk.
bool moveBack(OperationState &state, const QStringList &items, const QString &target)
{
    return needsGio(items, target) ? GioTransferJob(state, true).run(items, target)
                                   : TransferJob(state, true).run(items, target);
}

} // namespace

bool UndoJob::run(OperationState &state)
{
    bool ok = true;
    switch (m_entry.kind) {
    case UndoEntry::Kind::Copy:
        ok = undoCopy(state);
        break;
    case UndoEntry::Kind::Move:
        ok = undoMove(state);
        break;
    case UndoEntry::Kind::Trash:
        ok = undoTrash(state);
        break;
    case UndoEntry::Kind::Rename:
        ok = undoRename(state);
        break;
    case UndoEntry::Kind::CreateFolder:
        undoCreateFolder(state);
        break;
    }
    if (!m_entry.replaced.empty() && !state.cancelled())
        ok = restoreReplaced(state) && ok;
    collectRemaining();
    return ok;
}

bool UndoJob::restoreReplaced(OperationState &state)
{
    // What a copy or move replaced comes back from the trash to the places
    // just freed, each from exactly its own entry, as a trash's undo does.
    const UndoEntry replaced{UndoEntry::Kind::Trash, m_entry.replaced};
    UndoJob job(replaced);
    const bool ok = job.undoTrash(state);
    m_shown.append(job.m_shown);
    return ok;
}

bool UndoJob::stillThere(size_t index)
{
    const UndoItem &item = m_entry.items[index];
    const std::optional<ItemIdentity> now = readPlaceIdentity(item.to);
    if (now && now->sameAs(item.identity))
        return true;
    leaveAlone(index, item.to);
    return false;
}

bool UndoJob::placeFree(size_t index, const QByteArray &path)
{
    if (!placeTakesItemsBack(path) || placeExists(path) || !makePlaceFolders(bytepath::parent(path))) {
        leaveAlone(index, path);
        return false;
    }
    return true;
}

void UndoJob::leaveAlone(size_t index, const QByteArray &shown)
{
    m_leftAlone[index] = true;
    m_shown.append(shown);
}

bool UndoJob::undoCopy(OperationState &state)
{
    // A copy on disk goes to the trash; one on a GIO location (which seldom
    // has a trash) is removed for good, as its source is still there.
    QStringList removable, removableThroughGio;
    for (size_t i = m_entry.items.size(); i-- > 0;) {
        if (state.cancelled())
            return false;
        const UndoItem &item = m_entry.items[i];
        state.enter(item.to);
        CopiedTreeCheck check(item);
        if (!check.run(state.cancelToken()))
            return false;
        if (!check.kept().isEmpty()) {
            m_leftAlone[i] = true;
            m_shown.append(check.kept());
        }
        for (const QByteArray &path : check.removable())
            (isGioPlace(path) ? removableThroughGio : removable).append(fromNative(path));
    }
    const bool trashed = removable.isEmpty() || runTrash(state, removable);
    return (removableThroughGio.isEmpty() || runGioRemoval(state, removableThroughGio, false)) && trashed;
}

bool UndoJob::undoMove(OperationState &state)
{
    // Items that go back under their own name into one folder move in one
    // go; the others one by one to their old paths.
    QMap<QByteArray, QStringList> byFolder;
    std::vector<size_t> renamed;
    for (size_t i = m_entry.items.size(); i-- > 0;) {
        if (state.cancelled())
            return false;
        const UndoItem &item = m_entry.items[i];
        state.enter(item.to);
        if (!stillThere(i) || !placeFree(i, item.from))
            continue;
        if (bytepath::fileName(item.from) == bytepath::fileName(item.to))
            byFolder[bytepath::parent(item.from)].append(fromNative(item.to));
        else
            renamed.push_back(i);
    }
    bool ok = true;
    for (auto it = byFolder.cbegin(); it != byFolder.cend() && !state.cancelled(); ++it)
        ok = moveBack(state, it.value(), fromNative(bytepath::join(it.key(), ""))) && ok;
    for (const size_t i : renamed) {
        if (state.cancelled())
            break;
        const UndoItem &item = m_entry.items[i];
        ok = moveBack(state, {fromNative(item.to)}, fromNative(item.from)) && ok;
    }
    return ok;
}

bool UndoJob::undoTrash(OperationState &state)
{
    const size_t count = m_entry.items.size();
    state.itemsTotal = int(count);
    SourceFolders trashFolders, places;
    for (size_t i = count; i-- > 0;) {
        if (state.cancelled())
            return false;
        const UndoItem &item = m_entry.items[i];
        state.enter(item.from);
        if (!placeExists(item.trashInfo)) {
            leaveAlone(i, item.from);
        } else if (stillThere(i) && placeFree(i, item.from)) {
            // Exactly its own entry goes back, by a rename that replaces
            // nothing; its .trashinfo goes once the item is out.
            for (;;) {
                const int fromFolder = trashFolders.open(bytepath::parent(item.to));
                int code = fromFolder < 0 ? errno : 0;
                const int toFolder = code == 0 ? places.open(bytepath::parent(item.from)) : -1;
                if (code == 0 && toFolder < 0)
                    code = errno;
                const Place src{fromFolder, bytepath::fileName(item.to), item.to};
                const Place dst{toFolder, bytepath::fileName(item.from), item.from};
                if (code == 0 &&
                    renameNoReplace(src.folder, src.name.constData(), dst.folder, dst.name.constData()) != 0)
                    code = errno;
                if (code == 0) {
                    ::unlink(item.trashInfo.constData());
                    break;
                }
                if (code == EEXIST) {
                    leaveAlone(i, item.from); // taken meanwhile
                    break;
                }
                if (code == EXDEV) {
                    // Through another mount of the volume: a move that keeps
                    // the entry until its copy is whole.
                    state.counted = false;
                    const Outcome moved = TransferJob(state, true).transferTree(src, dst);
                    if (moved == Outcome::Done)
                        ::unlink(item.trashInfo.constData());
                    break;
                }
                if (state.ask(item.from, code) != Choice::Retry)
                    break;
            }
        }
        state.itemsDone = int(count - i);
    }
    return true;
}

bool UndoJob::undoRename(OperationState &state)
{
    bool ok = true;
    for (size_t i = m_entry.items.size(); i-- > 0;) {
        if (state.cancelled())
            return false;
        const UndoItem &item = m_entry.items[i];
        if (stillThere(i) && placeFree(i, item.from))
            ok = runRename(state, fromNative(item.to), fromNative(item.from)) && ok;
    }
    return ok;
}

void UndoJob::undoCreateFolder(OperationState &state)
{
    const size_t count = m_entry.items.size();
    state.itemsTotal = int(count);
    for (size_t i = count; i-- > 0 && !state.cancelled(); state.itemsDone = int(count - i)) {
        const UndoItem &item = m_entry.items[i];
        state.enter(item.to);
        // A folder that holds anything now is the user's: only an empty one goes.
        // Its time changes with what came and went in it; the same folder is enough.
        if (!isAsLeft(UndoEntry::Kind::CreateFolder, item) || ::rmdir(item.to.constData()) != 0)
            leaveAlone(i, item.to);
    }
}

void UndoJob::collectRemaining()
{
    m_remaining = UndoEntry{m_entry.kind, {}};
    bool anyUndone = false;
    for (size_t i = 0; i < m_entry.items.size(); ++i) {
        if (m_leftAlone[i])
            continue;
        if (isAsLeft(m_entry.kind, m_entry.items[i]))
            m_remaining.items.push_back(m_entry.items[i]);
        else
            anyUndone = true;
    }
    if (!anyUndone) {
        m_remaining = m_entry;
        return;
    }
    if (m_remaining.items.empty())
        return;
    // A later try still owes the user what the copy or move replaced.
    for (const UndoItem &item : m_entry.replaced) {
        if (isAsLeft(UndoEntry::Kind::Trash, item))
            m_remaining.replaced.push_back(item);
    }
    m_remaining.lost = m_entry.lost;
}

} // namespace quil::fileop
