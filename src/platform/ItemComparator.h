#pragma once

#include "platform/ItemSortKey.h"

#include <QCollator>
#include <QLocale>
#include <QString>

namespace quil {

// The item order of the listing's sort columns: folders before files in
// every column; names by the locale's collation, letter case ignored, digits
// compared as numbers ("file2" before "file10"); size, type and date
// ascending by that value, ties by name. Not thread-safe: one per thread.
class ItemComparator
{
public:
    // The system locale's collation; the C locale (which knows no numeric
    // order) uses the English one instead.
    ItemComparator();
    explicit ItemComparator(const QLocale &locale);

    // The sort key of one item. Costs one collator call per text given.
    ItemSortKey key(const QString &name, bool folder, quint64 size = 0, const QString &type = {},
                    qint64 modifiedMsecs = 0, int order = 0) const;

    // Negative when a goes first, positive when b does, 0 when equal.
    static int compare(const ItemSortKey &a, const ItemSortKey &b, SortColumn column);

    // Two names by the collation alone (no folder rule).
    int compareNames(const QString &a, const QString &b) const;

private:
    QCollator m_collator;
};

} // namespace quil
