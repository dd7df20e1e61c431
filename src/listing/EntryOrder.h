#pragma once

#include "platform/FolderChild.h"
#include "platform/ItemSortKey.h"

#include <vector>

namespace quil {

class FolderListing;

class NameKeys;

// The order of the main list's entries, in the parts a sort and the
// placing of one more entry share.

// Folders first, then the fixed places, as ItemComparator orders them.
quint64 entryGroup(bool isFolder, int order);
inline quint64 entryGroup(const FolderChild &child)
{
    return entryGroup(child.isFolder, child.order);
}
// The size or the modification time as a number that orders as the value
// does; 0 for the other columns. Reads the item once when its details are
// not there yet.
quint64 entryColumnValue(FolderChild &child, SortColumn column);

// The row where child goes in a listing sorted by its sort key: after every
// row that goes before it or ties with it, as the sort puts a later entry.
// The row skipped (an entry being placed again) counts as not there, and the
// answer is then a row among the others. O(log n) rows examined, each
// making one name key (and, in the type order, one type text) with keys.
int entryRowFor(FolderListing &listing, FolderChild &child, const NameKeys &keys, int skippedRow = -1);
// The rows where each of children goes, for children sorted among themselves
// by the same key: each search starts at the row before, and a row examined
// by several searches makes its keys once.
std::vector<int> entryRowsFor(FolderListing &listing, const std::vector<FolderChild *> &children, const NameKeys &keys);

} // namespace quil
