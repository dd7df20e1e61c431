#include "listing/EntryStore.h"

#include "platform/FolderPath.h"

#include <limits>

namespace quil {

EntryStore::EntryStore(const ItemId &folder) : m_folder(folder)
{
    if (folder.kind() == ItemId::Kind::Path || folder.kind() == ItemId::Kind::Volume)
        m_prefix = FolderPath(folder.path()).withTrailingSlash();
}

void EntryStore::reserve(size_t count, size_t nameUnits)
{
    m_records.reserve(count);
    m_names.reserve(nameUnits);
}

size_t EntryStore::add(const FolderChild &child)
{
    Record record;
    record.flags = quint8((child.isFolder ? Folder : 0) | (child.isLink ? Link : 0) | (child.resolved ? Resolved : 0) |
                          (child.isSpecial ? Special : 0));
    const auto length = size_t(child.name.size());
    // A child whose path is not the folder's path and its name, whose details
    // were read already, or whose name the record cannot hold stays whole.
    const bool joined = !m_prefix.isEmpty() && child.id.kind() == ItemId::Kind::Path &&
                        child.id.path().size() == m_prefix.size() + child.name.size() &&
                        child.id.path().startsWith(m_prefix) && child.id.path().endsWith(child.name);
    if (!joined || child.details || child.order != 0 || length > std::numeric_limits<quint16>::max() ||
        m_names.size() + length > std::numeric_limits<quint32>::max()) {
        record.flags |= Whole;
        record.nameAt = quint32(m_whole.size());
        m_whole.push_back(child);
    } else {
        record.nameAt = quint32(m_names.size());
        record.nameLength = quint16(length);
        const auto *units = reinterpret_cast<const char16_t *>(child.name.utf16());
        m_names.insert(m_names.end(), units, units + length);
    }
    m_records.push_back(record);
    return m_records.size() - 1;
}

void EntryStore::fitMemory()
{
    // A copy of the names costs as much as the room it would give back.
    if (m_names.capacity() > m_names.size() + m_names.size() / 4)
        m_names.shrink_to_fit();
    if (m_records.capacity() > m_records.size() + m_records.size() / 4)
        m_records.shrink_to_fit();
}

void EntryStore::replaceByLast(size_t index)
{
    m_records[index] = m_records.back();
    m_records.pop_back();
}

QStringView EntryStore::name(size_t i) const
{
    const Record &record = m_records[i];
    if (record.flags & Whole)
        return m_whole[record.nameAt].name;
    return QStringView(m_names.data() + record.nameAt, qsizetype(record.nameLength));
}

FolderChild EntryStore::child(size_t i) const
{
    const Record &record = m_records[i];
    if (record.flags & Whole) {
        FolderChild whole = m_whole[record.nameAt];
        whole.isFolder = record.flags & Folder;
        whole.isLink = record.flags & Link;
        whole.resolved = record.flags & Resolved;
        return whole;
    }
    FolderChild made;
    made.name = name(i).toString();
    QString path;
    path.reserve(m_prefix.size() + made.name.size());
    path.append(m_prefix).append(made.name);
    made.id = ItemId::fromPath(path);
    made.isFolder = record.flags & Folder;
    made.isLink = record.flags & Link;
    made.resolved = record.flags & Resolved;
    made.isSpecial = record.flags & Special;
    return made;
}

void EntryStore::setResolved(size_t i, bool isFolder, bool isLink)
{
    Record &record = m_records[i];
    record.flags = quint8((record.flags & ~(Folder | Link)) | (isFolder ? Folder : 0) | (isLink ? Link : 0) | Resolved);
}

} // namespace quil
