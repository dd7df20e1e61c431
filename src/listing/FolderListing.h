#pragma once

#include "listing/EntryStore.h"
#include "listing/SortOrder.h"
#include "listing/TShellItem.h"
#include "platform/ItemId.h"

#include <QList>
#include <QLocale>
#include <QString>
#include <unordered_map>
#include <utility>
#include <vector>

namespace quil {

struct ReadingProgress;

// The entries of the main window's current folder and the state that goes
// with them: the folder's identifier and path, the sort key and the name to
// select after the next listing. Reading costs one enumeration without a stat
// per entry for the name order; the details wait for fillDetails.
//
// A large folder's entries are kept small: the names in one arena and a few
// bytes per entry (EntryStore); an entry becomes a whole TShellItem only when
// entry() is asked for it (a row shown, changed or opened). Passes over every
// row use name(), isMarked() and setMarked(), which make nothing whole.
class FolderListing
{
public:
    int count() const { return int(m_order.size()); }
    // The entry of row i. Raises std::out_of_range for an index outside the list.
    const TShellItem &entry(int i) const;
    TShellItem &entry(int i);
    // Whether row i is a folder (a link to one included); no disk access.
    bool isFolder(int i) const;
    // The name and the mark of row i, as entry(i) has them, without making
    // the entry whole. Raise std::out_of_range as entry does.
    QString name(int i) const;
    bool isMarked(int i) const;
    void setMarked(int i, bool marked);
    // Row i's child as the folder gave it (its details if read); a copy.
    FolderChild child(int i) const;

    // Reads a folder: enumerates it (raising OsError before anything
    // changes when it cannot be read), discards the old entries, makes one
    // entry per item and sorts them by the sort key. The name order needs no
    // stat per entry; size and date read each item once, type its type name.
    void readFolder(const ItemId &folder);
    // The two halves of readFolder, so that a caller can learn of a failure
    // before it announces any change: the enumeration (raises OsError,
    // changes nothing) and the replacement of the entries by its children.
    // With a progress, as enumerateInto.
    static EntryStore enumerate(const ItemId &folder, ReadingProgress *progress = nullptr);
    void replaceEntries(EntryStore children);
    void replaceEntries(const QList<FolderChild> &children);
    // Sorts the entries again by the sort key.
    void sort();
    // Discards every entry.
    void discardEntries();

    // Changes of single rows, which the model announces: an entry put at a
    // row; the entry of a row removed; an entry moved from one row to the
    // row it has after the move; the entries (and their order) of another
    // listing taken over, which gets this one's in exchange, to be freed
    // where that costs the window nothing. O(n) each, the last O(1).
    void insertEntry(int row, TShellItem entry);
    void removeEntry(int row);
    void moveEntry(int from, int to);
    void takeEntries(FolderListing &other);
    // Many rows changed in one pass, O(n + k): the rows goneRows (ascending)
    // removed, and each entry of coming put before the row of the listing
    // as it was that it is paired with (ascending; count() for the end).
    // Returns each old row's new row, -1 for a row removed, followed by the
    // row of each coming entry.
    std::vector<int> changeRows(const std::vector<int> &goneRows, std::vector<std::pair<int, TShellItem>> coming);

    // Fills the details of the rows first to last (inclusive) that still
    // need them: icon, type text, size, attributes and date. Returns the
    // range of rows actually filled (second < first when none).
    std::pair<int, int> fillDetails(int first, int last);
    // Entries filled since this listing object was made.
    qint64 detailFills() const { return m_detailFills; }

    // The first row whose name equals name exactly (letter case counts); -1.
    int findEntry(const QString &name) const;

    const ItemId &currentFolder() const { return m_currentFolder; }
    const QString &currentPath() const { return m_currentPath; }
    void setCurrent(const ItemId &folder, const QString &path);

    SortKey sortKey() const { return m_sortKey; }
    void setSortKey(SortKey key) { m_sortKey = key; }

    // Whether readings list the hidden entries (names beginning with "."),
    // as they do by default; a change applies from the next reading.
    bool hiddenShown() const { return m_hiddenShown; }
    void setHiddenShown(bool shown) { m_hiddenShown = shown; }
    // Whether a reading lists an entry of this name.
    bool listsName(QStringView name) const { return m_hiddenShown || !name.startsWith(u'.'); }

    // The name the next listing selects when present; kept across listings.
    QString EntryToSelect;

private:
    // The bits FolderListing keeps in the store's byte per entry.
    enum EntryBit : quint8 {
        MarkedBit = 1, // the mark of an entry not yet whole
        WholeBit = 2,  // the entry is in m_whole, which holds all of it
    };
    // The index in the store of row i; raises std::out_of_range.
    size_t indexOf(int i) const;
    // The whole entry of store index, made when it is not yet.
    TShellItem &wholeEntry(size_t index) const;

    // The entries as the folder gave them, and row i's place among them: a
    // sort reorders only the places, never the entries. entry() const makes
    // entries whole, hence mutable.
    mutable EntryStore m_store;
    mutable std::unordered_map<size_t, TShellItem> m_whole;
    std::vector<int> m_order;
    ItemId m_currentFolder;
    QString m_currentPath;
    SortKey m_sortKey = SortKey::Name;
    bool m_hiddenShown = true;
    qint64 m_detailFills = 0;
};

// The date text of a modification time: the locale's short date, a blank and
// its long time without the time-zone name; the time is left out at exactly
// midnight. Empty for 0. The first form uses the system locale.
QString listingDateText(qint64 modifiedMsecs);
QString listingDateText(qint64 modifiedMsecs, const QLocale &locale);
// A QLocale time format with its time-zone fields ("t" outside quotes) left
// out and the blanks around them folded.
QString timeFormatWithoutZone(const QString &format);

} // namespace quil
