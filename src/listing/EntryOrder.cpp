#include "listing/EntryOrder.h"

#include "listing/FolderListing.h"
#include "listing/SortRecords.h"
#include "platform/NameKeys.h"
#include "platform/ShellNamespace.h"

#include <unordered_map>
#include <vector>

namespace quil {

quint64 entryGroup(bool isFolder, int order)
{
    return (quint64(isFolder ? 0 : 1) << 32) | (quint32(order) ^ 0x80000000u);
}

quint64 entryColumnValue(FolderChild &child, SortColumn column)
{
    if (column != SortColumn::Size && column != SortColumn::Modified)
        return 0;
    if (!child.details)
        child.details = ShellNamespace::findData(child.id);
    if (!child.details)
        return column == SortColumn::Size ? 0 : quint64(1) << 63;
    if (column == SortColumn::Size)
        return child.details->size;
    return quint64(child.details->modifiedMsecs) ^ (quint64(1) << 63);
}

namespace {

// What the sort compares of one entry: group, value, then the collation
// keys of the type text (type order only; equal keys rank equal) and of the name.
struct PlaceKey
{
    quint64 group = 0;
    quint64 value = 0;
    std::vector<unsigned char> type;
    std::vector<unsigned char> name;
};

PlaceKey placeKey(FolderChild &child, SortColumn column, const NameKeys &keys)
{
    ShellNamespace::resolve(child);
    PlaceKey key;
    key.group = entryGroup(child);
    key.value = entryColumnValue(child, column);
    if (column == SortColumn::Type)
        keys.append(ShellNamespace::listedTypeText(child), key.type);
    keys.append(child.name, key.name);
    return key;
}

bool before(const PlaceKey &a, const PlaceKey &b)
{
    if (a.group != b.group)
        return a.group < b.group;
    if (a.value != b.value)
        return a.value < b.value;
    const int byType = compareKeyBytes(a.type.data(), a.type.size(), b.type.data(), b.type.size());
    if (byType != 0)
        return byType < 0;
    return compareKeyBytes(a.name.data(), a.name.size(), b.name.data(), b.name.size()) < 0;
}

} // namespace

int entryRowFor(FolderListing &listing, FolderChild &child, const NameKeys &keys, int skippedRow)
{
    const auto column = SortColumn(int(listing.sortKey()));
    const PlaceKey placed = placeKey(child, column, keys);
    const bool skips = skippedRow >= 0 && skippedRow < listing.count();
    // Positions among the other rows; position p is row p, or p + 1 past the skipped row.
    const auto rowAt = [&](int position) { return skips && position >= skippedRow ? position + 1 : position; };
    int low = 0;
    int high = listing.count() - (skips ? 1 : 0);
    while (low < high) {
        const int middle = low + (high - low) / 2;
        FolderChild other = listing.child(rowAt(middle));
        if (before(placed, placeKey(other, column, keys)))
            high = middle;
        else
            low = middle + 1;
    }
    return low;
}

std::vector<int> entryRowsFor(FolderListing &listing, const std::vector<FolderChild *> &children, const NameKeys &keys)
{
    const auto column = SortColumn(int(listing.sortKey()));
    std::unordered_map<int, PlaceKey> examined;
    const auto keyOfRow = [&](int row) -> const PlaceKey & {
        auto found = examined.find(row);
        if (found == examined.end()) {
            FolderChild other = listing.child(row);
            found = examined.emplace(row, placeKey(other, column, keys)).first;
        }
        return found->second;
    };
    std::vector<int> rows;
    rows.reserve(children.size());
    int low = 0;
    for (FolderChild *child : children) {
        const PlaceKey placed = placeKey(*child, column, keys);
        int high = listing.count();
        while (low < high) {
            const int middle = low + (high - low) / 2;
            if (before(placed, keyOfRow(middle)))
                high = middle;
            else
                low = middle + 1;
        }
        rows.push_back(low);
    }
    return rows;
}

} // namespace quil
