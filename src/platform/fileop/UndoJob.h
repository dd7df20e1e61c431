#pragma once

#include "platform/fileop/UndoJournal.h"

#include <QByteArray>
#include <QList>

#include <vector>

namespace quil::fileop {

struct OperationState;

// The work of undoing one journalled operation, run as one file operation
// on its worker: a copy's items go to the trash (only the parts still as the
// copy left them), moved items go back, trashed items are restored to where
// they were from exactly their trash entry, a rename takes the old name
// again, a made folder is removed while empty; what a copy or move
// replaced comes back from the trash. An item that changed since
// (another file, size or time, or its old place taken) is left alone. Items
// that a copy or move through GIO placed are looked at and moved back
// through GIO; an archive or the trash takes nothing back.
class UndoJob
{
public:
    explicit UndoJob(const UndoEntry &entry) : m_entry(entry), m_leftAlone(entry.items.size(), false) {}

    // Runs the undo; true when every step that ran succeeded.
    bool run(OperationState &state);

    // The items left as they were, as paths to show.
    const QList<QByteArray> &leftAlone() const { return m_shown; }
    // What can still be undone afterwards: the items still where the
    // operation left them and not left alone for a change; the whole entry
    // when nothing was undone. No items when nothing is left.
    const UndoEntry &remaining() const { return m_remaining; }

private:
    bool undoCopy(OperationState &state);
    bool undoMove(OperationState &state);
    bool undoTrash(OperationState &state);
    bool undoRename(OperationState &state);
    void undoCreateFolder(OperationState &state);
    bool restoreReplaced(OperationState &state);
    // Restores one trashed item by renaming its entry back. False when cancelled.
    bool restore(OperationState &state, size_t index);
    // Whether the item is still what the operation left at to.
    bool stillThere(size_t index);
    // Whether the old place is free and can take the item back (and its
    // folder there, made when missing).
    bool placeFree(size_t index, const QByteArray &path);
    void leaveAlone(size_t index, const QByteArray &shown);
    void collectRemaining();

    const UndoEntry &m_entry;
    std::vector<bool> m_leftAlone; // per item of the entry
    QList<QByteArray> m_shown;
    UndoEntry m_remaining;
};

} // namespace quil::fileop
