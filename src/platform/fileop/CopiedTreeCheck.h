#pragma once

#include "platform/fileop/UndoJournal.h"

#include <QHash>
#include <QList>

#include <stop_token>

namespace quil::fileop {

// Which parts of an item a copy made may go with the copy's undo: those
// still as the copy left them. What is new since or changed stays, and with
// it the folders that hold it.
class CopiedTreeCheck
{
public:
    explicit CopiedTreeCheck(const UndoItem &item);

    // Looks at the item and everything in it now. False when cancelled
    // (then nothing is removable). Cost: one look at each item, one listing
    // of each folder.
    bool run(const std::stop_token &cancel);

    // The parts that may go: the item itself when all of it is as the copy
    // left it, otherwise the largest unchanged parts inside it.
    const QList<QByteArray> &removable() const { return m_removable; }
    // What stays because it is new or changed (the folders holding it not listed).
    const QList<QByteArray> &kept() const { return m_kept; }

private:
    bool unchanged(const QByteArray &path, const ItemIdentity *recorded, const std::stop_token &cancel);

    const UndoItem &m_item;
    QHash<QByteArray, ItemIdentity> m_contents;
    QList<QByteArray> m_removable;
    QList<QByteArray> m_kept;
    bool m_stopped = false;
};

} // namespace quil::fileop
