#include "listing/FolderListing.h"

#include "listing/EntryText.h"
#include "platform/ItemComparator.h"
#include "platform/ShellNamespace.h"

#include <QLocale>
#include <algorithm>
#include <numeric>
#include <stdexcept>
#include <vector>

using quil::ShellNamespace;

const TShellItem &FolderListing::entry(int i) const
{
    if (i < 0 || i >= count())
        throw std::out_of_range("no entry at this row");
    return m_entries.at(i);
}

TShellItem &FolderListing::entry(int i)
{
    if (i < 0 || i >= count())
        throw std::out_of_range("no entry at this row");
    return m_entries[i];
}

bool FolderListing::isFolder(int i) const
{
    return entry(i).relativeId.isFolder;
}

void FolderListing::readFolder(const quil::ItemId &folder)
{
    QList<quil::FolderChild> children = ShellNamespace::enumerate(folder, ShellNamespace::ResolveLinks);
    m_entries.clear();
    m_entries.reserve(children.size());
    for (quil::FolderChild &child : children) {
        TShellItem entry;
        entry.name = child.name;
        entry.relativeId = std::move(child);
        m_entries.append(std::move(entry));
    }
    sort();
}

void FolderListing::sort()
{
    const auto column = quil::SortColumn(int(m_sortKey));
    const quil::ItemComparator comparator;
    std::vector<quil::ItemSortKey> keys;
    keys.reserve(size_t(m_entries.size()));
    for (TShellItem &entry : m_entries)
        keys.push_back(ShellNamespace::sortKey(comparator, entry.relativeId, column));
    std::vector<int> order(keys.size());
    std::iota(order.begin(), order.end(), 0);
    std::sort(order.begin(), order.end(), [&keys, column](int a, int b) {
        return quil::ItemComparator::compare(keys[size_t(a)], keys[size_t(b)], column) < 0;
    });
    QList<TShellItem> sorted;
    sorted.reserve(m_entries.size());
    for (int i : order)
        sorted.append(std::move(m_entries[i]));
    m_entries = std::move(sorted);
}

std::pair<int, int> FolderListing::fillDetails(int first, int last)
{
    first = std::max(first, 0);
    last = std::min(last, count() - 1);
    int filledFirst = last + 1;
    int filledLast = first - 1;
    for (int i = first; i <= last; ++i) {
        TShellItem &entry = m_entries[i];
        if (!entry.needsDetails)
            continue;
        quil::FolderChild &child = entry.relativeId;
        entry.absoluteId = child.id;
        entry.iconIndex = ShellNamespace::iconIndex(entry.absoluteId);
        entry.typeText = ShellNamespace::typeText(entry.absoluteId).left(80);
        if (!child.details)
            child.details = ShellNamespace::findData(entry.absoluteId);
        // A failed read leaves 1 KB, no attributes and no date.
        const quil::FindData find = child.details.value_or(quil::FindData{});
        entry.size = quil::sizeKbFromBytes(qint64(std::min<quint64>(find.size, quint64(INT64_MAX))));
        entry.dateText = listingDateText(find.modifiedMsecs);
        entry.attributes = find.attributes;
        entry.needsDetails = false;
        ++m_detailFills;
        filledFirst = std::min(filledFirst, i);
        filledLast = std::max(filledLast, i);
    }
    return {filledFirst, filledLast};
}

int FolderListing::findEntry(const QString &name) const
{
    for (int i = 0; i < count(); ++i)
        if (m_entries.at(i).name == name)
            return i;
    return -1;
}

void FolderListing::setCurrent(const quil::ItemId &folder, const QString &path)
{
    m_currentFolder = folder;
    m_currentPath = path;
}

QString listingDateText(qint64 modifiedMsecs)
{
    if (modifiedMsecs == 0)
        return {};
    const QDateTime local = QDateTime::fromMSecsSinceEpoch(modifiedMsecs).toLocalTime();
    if (!local.isValid())
        return {};
    const QLocale locale = QLocale::system();
    QString text = locale.toString(local.date(), QLocale::ShortFormat);
    if (local.time() != QTime(0, 0))
        text += QLatin1Char(' ') + locale.toString(local.time(), QLocale::LongFormat);
    return text;
}
