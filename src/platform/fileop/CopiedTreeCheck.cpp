#include "platform/fileop/CopiedTreeCheck.h"

#include "platform/BytePath.h"
#include "platform/fileop/UndoPlaces.h"

namespace quil::fileop {

namespace {

// A folder's time and size change with what comes and goes in it, which
// its contents tell; a file must be the same file, as it was left.
bool sameItem(const ItemIdentity &recorded, const ItemIdentity &now)
{
    if (recorded.isFolder())
        return now.isFolder() && now.device == recorded.device && now.inode == recorded.inode;
    return now.sameAs(recorded);
}

} // namespace

CopiedTreeCheck::CopiedTreeCheck(const UndoItem &item) : m_item(item)
{
    m_contents.reserve(qsizetype(item.contents.size()));
    for (const PlacedContent &content : item.contents)
        m_contents.insert(content.path, content.identity);
}

bool CopiedTreeCheck::run(const std::stop_token &cancel)
{
    m_removable.clear();
    m_kept.clear();
    m_stopped = false;
    if (unchanged(m_item.to, &m_item.identity, cancel))
        m_removable = {m_item.to};
    if (m_stopped)
        m_removable.clear();
    return !m_stopped;
}

bool CopiedTreeCheck::unchanged(const QByteArray &path, const ItemIdentity *recorded, const std::stop_token &cancel)
{
    if (cancel.stop_requested()) {
        m_stopped = true;
        return false;
    }
    const std::optional<ItemIdentity> now = readPlaceIdentity(path);
    if (!now && recorded != &m_item.identity)
        return true; // gone meanwhile: nothing of it to remove
    if (!now || !recorded || !sameItem(*recorded, *now)) {
        m_kept.append(path);
        return false;
    }
    if (!now->isFolder())
        return true;
    QList<QByteArray> names;
    if (listPlace(path, names) != 0) {
        // What it holds cannot be told: it stays.
        m_kept.append(path);
        return false;
    }
    bool all = true;
    QList<QByteArray> clean;
    for (const QByteArray &name : names) {
        const QByteArray child = bytepath::join(path, name);
        const auto found = m_contents.constFind(child);
        if (unchanged(child, found == m_contents.cend() ? nullptr : &found.value(), cancel))
            clean.append(child);
        else
            all = false;
        if (m_stopped)
            return false;
    }
    if (!all)
        m_removable.append(clean);
    return all;
}

} // namespace quil::fileop
