#include "listing/FolderListing.h"

#include "listing/EntryText.h"
#include "listing/FileTypeCache.h"
#include "platform/ItemComparator.h"
#include "platform/ShellNamespace.h"

#include <QCollatorSortKey>
#include <QHash>
#include <QLocale>
#include <algorithm>
#include <numeric>
#include <optional>
#include <stdexcept>
#include <thread>
#include <vector>

using quil::ShellNamespace;

const TShellItem &FolderListing::entry(int i) const
{
    if (i < 0 || i >= count())
        throw std::out_of_range("no entry at this row");
    return m_entries.at(m_order[size_t(i)]);
}

TShellItem &FolderListing::entry(int i)
{
    if (i < 0 || i >= count())
        throw std::out_of_range("no entry at this row");
    return m_entries[m_order[size_t(i)]];
}

bool FolderListing::isFolder(int i) const
{
    return entry(i).relativeId.isFolder;
}

namespace {

// Below this many entries a second thread costs more than it saves.
constexpr size_t parallelFrom = 4096;

// From this many entries on, a sort by type pays for examining the glob
// patterns (FileTypeCache) at once.
constexpr size_t typeCacheFrom = 20000;

bool splits(size_t count)
{
    return count >= parallelFrom && std::thread::hardware_concurrency() >= 2;
}

// Runs work(begin, end) over [0, count), split in two halves on two threads
// when the list is large.
template <typename Work> void splitInTwo(size_t count, Work work)
{
    if (!splits(count)) {
        work(size_t(0), count);
        return;
    }
    const size_t half = count / 2;
    const std::jthread second([&work, half, count] { work(half, count); });
    work(size_t(0), half);
}

// What one thread keeps while it makes the sort keys of a sort by type: the
// glob lookup and the collation of type texts are the dearest parts of it,
// and a folder holds few distinct types.
struct TypeKeys
{
    bool cached = false; // type texts from the cache, or each looked up
    FileTypeCache texts;
    QHash<QString, std::optional<QCollatorSortKey>> collated;
};

// ShellNamespace::sortKey, with the type keys of files taken from the caches.
quil::ItemSortKey sortKey(const quil::ItemComparator &comparator, TypeKeys &types, quil::FolderChild &child,
                          quil::SortColumn column)
{
    if (column != quil::SortColumn::Type)
        return ShellNamespace::sortKey(comparator, child, column);
    ShellNamespace::resolve(child);
    if (child.isFolder)
        return ShellNamespace::sortKey(comparator, child, column);
    const QString text = types.cached ? types.texts.typeText(child.name) : ShellNamespace::fileTypeText(child.name);
    auto collated = types.collated.find(text);
    if (collated == types.collated.end())
        collated = types.collated.insert(text, comparator.key({}, false, 0, text).type);
    quil::ItemSortKey key = comparator.key(child.name, false, 0, {}, 0, child.order);
    key.type = *collated;
    return key;
}

// The positions of the children in the order of the column: sort keys made
// once per child (each thread with its own collator), then each half sorted
// on its own thread and the halves merged.
std::vector<int> sortedOrder(const std::vector<quil::FolderChild *> &children, quil::SortColumn column)
{
    const size_t count = children.size();
    std::vector<std::optional<quil::ItemSortKey>> keys(count);
    const bool cacheTypes = count >= typeCacheFrom || FileTypeCache::patternsExamined();
    splitInTwo(count, [&](size_t begin, size_t end) {
        const quil::ItemComparator comparator;
        TypeKeys types;
        types.cached = cacheTypes;
        for (size_t i = begin; i < end; ++i)
            keys[i] = sortKey(comparator, types, *children[i], column);
    });
    std::vector<int> order(count);
    std::iota(order.begin(), order.end(), 0);
    const auto before = [&keys, column](int a, int b) {
        return quil::ItemComparator::compare(*keys[size_t(a)], *keys[size_t(b)], column) < 0;
    };
    splitInTwo(count, [&](size_t begin, size_t end) {
        std::sort(order.begin() + std::ptrdiff_t(begin), order.begin() + std::ptrdiff_t(end), before);
    });
    if (splits(count))
        std::inplace_merge(order.begin(), order.begin() + std::ptrdiff_t(count / 2), order.end(), before);
    return order;
}

} // namespace

void FolderListing::readFolder(const quil::ItemId &folder)
{
    replaceEntries(enumerate(folder));
}

QList<quil::FolderChild> FolderListing::enumerate(const quil::ItemId &folder)
{
    return ShellNamespace::enumerate(folder, ShellNamespace::ResolveLinks);
}

void FolderListing::replaceEntries(QList<quil::FolderChild> children)
{
    m_entries.clear();
    m_order.clear();
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
    std::vector<quil::FolderChild *> pointers;
    pointers.reserve(size_t(m_entries.size()));
    for (TShellItem &entry : m_entries)
        pointers.push_back(&entry.relativeId);
    m_order = sortedOrder(pointers, quil::SortColumn(int(m_sortKey)));
}

std::pair<int, int> FolderListing::fillDetails(int first, int last)
{
    first = std::max(first, 0);
    last = std::min(last, count() - 1);
    int filledFirst = last + 1;
    int filledLast = first - 1;
    for (int i = first; i <= last; ++i) {
        TShellItem &entry = m_entries[m_order[size_t(i)]];
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
        if (entry(i).name == name)
            return i;
    return -1;
}

void FolderListing::setCurrent(const quil::ItemId &folder, const QString &path)
{
    m_currentFolder = folder;
    m_currentPath = path;
}

QString timeFormatWithoutZone(const QString &format)
{
    QString result;
    bool quoted = false;
    for (const QChar c : format) {
        if (c == QLatin1Char('\''))
            quoted = !quoted;
        if (quoted || c != QLatin1Char('t'))
            result += c;
    }
    return result.simplified();
}

QString listingDateText(qint64 modifiedMsecs)
{
    return listingDateText(modifiedMsecs, QLocale::system());
}

QString listingDateText(qint64 modifiedMsecs, const QLocale &locale)
{
    if (modifiedMsecs == 0)
        return {};
    const QDateTime local = QDateTime::fromMSecsSinceEpoch(modifiedMsecs).toLocalTime();
    if (!local.isValid())
        return {};
    QString text = locale.toString(local.date(), QLocale::ShortFormat);
    // The long time format carries the zone name ("t"), which the column
    // has no room for and no Windows time format shows.
    if (local.time() != QTime(0, 0))
        text += QLatin1Char(' ') +
                locale.toString(local.time(), timeFormatWithoutZone(locale.timeFormat(QLocale::LongFormat)));
    return text;
}
