#pragma once

#include <QByteArray>
#include <QString>

#include <ctime>
#include <optional>
#include <sys/types.h>
#include <vector>

struct stat;

namespace quil {

// What an item was when its operation left it: the undo leaves alone an item
// that is no longer that (another file, another size or time).
struct ItemIdentity
{
    dev_t device = 0;
    ino_t inode = 0;
    mode_t type = 0;
    off_t size = 0;
    timespec modified = {};

    static ItemIdentity of(const struct stat &st);
    // Reads the item (a link itself); nullopt when it is not there.
    static std::optional<ItemIdentity> read(const QByteArray &path);
    bool isFolder() const;
    bool sameAs(const ItemIdentity &other) const;
};

// An item that an operation put inside a folder it placed as a whole.
struct PlacedContent
{
    QByteArray path;
    ItemIdentity identity;
};

// One item of a journalled operation. from: where it was; to: where the
// operation put it (the copy, the moved item, the new name, the made folder;
// for a trashed item its entry in the trash's files folder); trashInfo: the
// trashed item's .trashinfo file; identity: the item at to; contents: for a
// folder the operation made item by item (a copy), what it put inside, as
// it left it.
struct UndoItem
{
    QByteArray from;
    QByteArray to;
    QByteArray trashInfo;
    ItemIdentity identity;
    std::vector<PlacedContent> contents;
};

// One operation that can be undone, with its items in the order they were done.
struct UndoEntry
{
    enum class Kind { Copy, Move, Trash, Rename, CreateFolder };
    Kind kind = Kind::Copy;
    std::vector<UndoItem> items;
    // The items a copy or move replaced, set aside in the trash (from: their
    // place; to, trashInfo: their entry in the trash), and the paths of those
    // that could not be trashed and are gone for good.
    std::vector<UndoItem> replaced = {};
    std::vector<QByteArray> lost = {};

    // The operation's name and count: "копирование 3 объект(ов)".
    QString describe() const;
};

// The operations of this run that can be undone, newest first. Permanent
// deletes are not journalled. Used on the window thread.
class UndoJournal
{
public:
    // The journal of the running program, which every file operation of the
    // windows records into.
    static UndoJournal &session();

    // Adds an operation as the newest; one without items is not kept. The
    // oldest go beyond kLimit entries.
    void push(UndoEntry entry);
    // The newest entry, or null.
    const UndoEntry *newest() const;
    // Removes and returns the newest entry.
    std::optional<UndoEntry> takeNewest();
    int size() const { return int(m_entries.size()); }
    void clear() { m_entries.clear(); }
    // Entry i, 0 being the newest.
    const UndoEntry &at(int i) const { return m_entries.at(m_entries.size() - 1 - size_t(i)); }

    // Records a folder made by the create-folder command.
    void recordCreatedFolder(const QByteArray &path);

    static constexpr int kLimit = 100;

private:
    std::vector<UndoEntry> m_entries; // oldest first
};

} // namespace quil
