#pragma once

#include "platform/FolderChild.h"
#include "platform/ItemId.h"

#include <QString>
#include <QStringView>
#include <vector>

namespace quil {

// The children of one folder as a reading gives them, in little memory:
// every name in one arena of UTF-16 code units (the QString's own units, so
// names of bytes that are not UTF-8 come back unchanged) and per child an
// 8-byte record of where its name lies and what the enumeration told of it.
// The full FolderChild, with its path, is made again only when asked for.
// Children that are not items of a file-system folder (the desktop's, the
// computer folder's volumes) are kept whole; there are only a few of them.
class EntryStore
{
public:
    EntryStore() = default;
    explicit EntryStore(const ItemId &folder);

    size_t size() const { return m_records.size(); }
    bool empty() const { return m_records.empty(); }
    // Room for count children and names of about nameUnits code units in all.
    void reserve(size_t count, size_t nameUnits);
    // Adds a child; returns its index. Its path must be the folder's path
    // joined with its name, unless the folder is not a file-system folder.
    size_t add(const FolderChild &child);
    // Moves the last child to index (which it replaces) and drops the last.
    void replaceByLast(size_t index);
    // Releases every child and the memory they held.
    void clear() { *this = EntryStore(); }
    // Drops the children whose name keep refuses, keeping the order of the
    // others (whose indexes change).
    template <typename Keep> void keepOnly(Keep keep)
    {
        size_t kept = 0;
        for (size_t i = 0; i < m_records.size(); ++i)
            if (keep(name(i)))
                m_records[kept++] = m_records[i];
        m_records.resize(kept);
    }
    // Gives back room reserved for names that did not come.
    void fitMemory();

    // The name of child i, valid until the next add.
    QStringView name(size_t i) const;
    // Child i with its identifier made again (one path string).
    FolderChild child(size_t i) const;
    bool isFolder(size_t i) const { return m_records[i].flags & Folder; }
    bool isResolved(size_t i) const { return m_records[i].flags & Resolved; }
    // The child's fixed place before the name order (FolderChild::order).
    int order(size_t i) const { return m_records[i].flags & Whole ? m_whole[m_records[i].nameAt].order : 0; }
    // Records what resolving child i learned (ShellNamespace::resolve).
    void setResolved(size_t i, bool isFolder, bool isLink);

    // One byte per child for the owner's use (0 when added).
    quint8 ownerBits(size_t i) const { return m_records[i].owner; }
    void setOwnerBits(size_t i, quint8 bits) { m_records[i].owner = bits; }

private:
    enum Flag : quint8 {
        Folder = 1,
        Link = 2,
        Resolved = 4,
        Special = 8,
        Whole = 16, // nameAt is an index into m_whole
    };
    struct Record
    {
        quint32 nameAt = 0;
        quint16 nameLength = 0;
        quint8 flags = 0;
        quint8 owner = 0;
    };
    static_assert(sizeof(Record) == 8);

    ItemId m_folder;
    QString m_prefix; // the folder's path with a trailing "/"
    std::vector<Record> m_records;
    std::vector<char16_t> m_names;
    std::vector<FolderChild> m_whole;
};

} // namespace quil
