#include "platform/ItemComparator.h"

namespace quil {

namespace {
QLocale collationLocale(const QLocale &locale)
{
    // Qt's C collator compares code units and ignores the numeric mode.
    if (locale.language() == QLocale::C)
        return QLocale(QLocale::English, QLocale::UnitedStates);
    return locale;
}

template <typename T> int threeWay(const T &a, const T &b)
{
    return a < b ? -1 : (b < a ? 1 : 0);
}
} // namespace

ItemComparator::ItemComparator() : ItemComparator(QLocale::system()) {}

ItemComparator::ItemComparator(const QLocale &locale) : m_collator(collationLocale(locale))
{
    m_collator.setCaseSensitivity(Qt::CaseInsensitive);
    m_collator.setNumericMode(true);
    m_collator.setIgnorePunctuation(false);
}

ItemSortKey ItemComparator::key(const QString &name, bool folder, quint64 size, const QString &type,
                                qint64 modifiedMsecs, int order) const
{
    ItemSortKey key{folder, order, m_collator.sortKey(name), size, std::nullopt, modifiedMsecs};
    if (!type.isEmpty())
        key.type = m_collator.sortKey(type);
    return key;
}

int ItemComparator::compare(const ItemSortKey &a, const ItemSortKey &b, SortColumn column)
{
    if (a.folder != b.folder)
        return a.folder ? -1 : 1;
    if (a.order != b.order)
        return threeWay(a.order, b.order);
    int result = 0;
    switch (column) {
    case SortColumn::Name:
        break;
    case SortColumn::Size:
        result = threeWay(a.size, b.size);
        break;
    case SortColumn::Type:
        if (a.type && b.type)
            result = a.type->compare(*b.type);
        else
            result = threeWay(bool(a.type), bool(b.type));
        break;
    case SortColumn::Modified:
        result = threeWay(a.modifiedMsecs, b.modifiedMsecs);
        break;
    }
    if (result != 0)
        return result < 0 ? -1 : 1;
    const int byName = a.name.compare(b.name);
    return byName < 0 ? -1 : (byName > 0 ? 1 : 0);
}

int ItemComparator::compareNames(const QString &a, const QString &b) const
{
    return m_collator.compare(a, b);
}

} // namespace quil
