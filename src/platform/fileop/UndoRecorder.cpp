#include "platform/fileop/UndoRecorder.h"

#include "platform/fileop/FileOperation.h"
#include "platform/fileop/TrashEntry.h"
#include "platform/fileop/UndoPlaces.h"

#include <iterator>

namespace quil {

namespace {

bool isInside(const QByteArray &path, const QByteArray &folder)
{
    return path.size() > folder.size() && path.startsWith(folder) && path.at(folder.size()) == '/';
}

} // namespace

UndoRecorder::UndoRecorder(FileOperation &operation, int code, int flags)
{
    switch (code) {
    case FO_COPY:
        m_entry.kind = UndoEntry::Kind::Copy;
        break;
    case FO_MOVE:
        m_entry.kind = UndoEntry::Kind::Move;
        break;
    case FO_RENAME:
        m_entry.kind = UndoEntry::Kind::Rename;
        break;
    case FO_DELETE:
        m_entry.kind = UndoEntry::Kind::Trash;
        m_active = (flags & FOF_ALLOWUNDO) != 0;
        break;
    default:
        m_active = false;
        break;
    }
    if (!m_active)
        return;
    operation.setItemPlaced(
        [this](const QByteArray &from, const QByteArray &to, const struct stat *before) { placed(from, to, before); });
    operation.setItemReplaced([this](const QByteArray &path, const QByteArray &trashFile, const QByteArray &trashInfo) {
        replaced(path, trashFile, trashInfo);
    });
}

void UndoRecorder::replaced(const QByteArray &path, const QByteArray &trashFile, const QByteArray &trashInfo)
{
    const std::optional<ItemIdentity> identity = ItemIdentity::read(trashFile);
    const std::scoped_lock lock(m_mutex);
    if (trashFile.isEmpty() || !identity) {
        m_entry.lost.push_back(path);
        return;
    }
    UndoItem item;
    item.from = path;
    item.to = trashFile;
    item.trashInfo = trashInfo;
    item.identity = *identity;
    m_entry.replaced.push_back(std::move(item));
}

void UndoRecorder::placed(const QByteArray &from, const QByteArray &to, const struct stat *before)
{
    UndoItem item;
    item.from = from;
    if (m_entry.kind == UndoEntry::Kind::Trash && !to.isEmpty()) {
        // Trashed, with the entry the trash gave it.
        item.to = to;
        item.trashInfo = trashInfoFor(to);
    } else if (to.isEmpty()) {
        // Trashed: the entry in the trash, found by the identity it kept.
        if (!before)
            return;
        const std::optional<TrashEntry> entry = findTrashEntry(from, *before);
        if (!entry)
            return;
        item.to = entry->file;
        item.trashInfo = entry->info;
    } else {
        item.to = to;
    }
    // Read now: a cancelled copy removes the folder it made when still empty.
    const std::optional<ItemIdentity> identity = fileop::readPlaceIdentity(item.to);
    if (!identity)
        return;
    item.identity = *identity;
    const std::scoped_lock lock(m_mutex);
    // The walk is depth first: what lies inside a folder was reported just
    // before it, and becomes its contents (the undo of a copy checks them).
    auto &items = m_entry.items;
    auto inside = items.end();
    while (inside != items.begin() && isInside(std::prev(inside)->to, item.to))
        --inside;
    for (auto it = inside; it != items.end(); ++it) {
        std::move(it->contents.begin(), it->contents.end(), std::back_inserter(item.contents));
        item.contents.push_back(PlacedContent{it->to, it->identity});
    }
    items.erase(inside, items.end());
    items.push_back(std::move(item));
}

UndoEntry UndoRecorder::entry()
{
    const std::scoped_lock lock(m_mutex);
    return m_entry;
}

void UndoRecorder::commitTo(UndoJournal &journal)
{
    if (m_active)
        journal.push(entry());
}

} // namespace quil
