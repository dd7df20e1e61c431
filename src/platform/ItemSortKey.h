#pragma once

#include <QCollatorSortKey>
#include <optional>

namespace quil {

// The four sort columns of the listing, numbered as the listing's sort key.
enum class SortColumn { Name = 0, Size = 1, Type = 2, Modified = 3 };

// Precomputed sort fields of one item, so a sort of a large folder compares
// bytes instead of asking the collator in every comparison. Made by
// ItemComparator::key.
struct ItemSortKey
{
    bool folder = false;
    int order = 0;
    QCollatorSortKey name;
    quint64 size = 0;
    std::optional<QCollatorSortKey> type; // empty when no type text was given
    qint64 modifiedMsecs = 0;
};

} // namespace quil
