#include "listing/FolderListing.h"

#include "listing/EntryOrder.h"
#include "listing/EntryText.h"
#include "listing/FileTypeCache.h"
#include "listing/SortRecords.h"
#include "platform/NameKeys.h"
#include "platform/ShellNamespace.h"

#include <QHash>
#include <QLocale>
#include <algorithm>
#include <cstring>
#include <functional>
#include <numeric>
#include <stdexcept>
#include <thread>
#include <vector>

namespace quil {

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
    return entry(i).folderChild.isFolder;
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

// The type texts of one thread's entries for a sort by type: from the cache
// of a large folder, or each looked up.
struct TypeTexts
{
    bool cached = false;
    FileTypeCache texts;

    QString of(const FolderChild &child)
    {
        if (cached && !child.isFolder && !child.isSpecial)
            return texts.typeText(child.name);
        return ShellNamespace::listedTypeText(child);
    }
};

// The rank of each type text in the collation order, equal texts and texts
// of equal keys sharing one; 0 for an empty text, which goes first.
QHash<QString, quint64> typeRanks(const std::vector<QString> &types)
{
    QHash<QString, quint64> ranks;
    for (const QString &type : types)
        if (!type.isEmpty())
            ranks.insert(type, 0);
    const NameKeys collation;
    std::vector<unsigned char> keys;
    std::vector<std::pair<size_t, size_t>> spans; // offset and length per distinct text
    std::vector<QString> texts;
    for (auto it = ranks.cbegin(); it != ranks.cend(); ++it) {
        const size_t start = keys.size();
        spans.emplace_back(start, collation.append(it.key(), keys));
        texts.push_back(it.key());
    }
    const auto compare = [&](size_t a, size_t b) {
        return compareKeyBytes(keys.data() + spans[a].first, spans[a].second, keys.data() + spans[b].first,
                               spans[b].second);
    };
    std::vector<size_t> sorted(texts.size());
    std::iota(sorted.begin(), sorted.end(), size_t(0));
    std::sort(sorted.begin(), sorted.end(), [&](size_t a, size_t b) { return compare(a, b) < 0; });
    quint64 rank = 0;
    for (size_t i = 0; i < sorted.size(); ++i) {
        if (i == 0 || compare(sorted[i - 1], sorted[i]) != 0)
            ++rank;
        ranks[texts[sorted[i]]] = rank;
    }
    return ranks;
}

// The positions of the children in the order of the column (ItemComparator's
// order): one sort record per child with its name key (each thread with its
// own collator and key buffer), then each half sorted on its own thread and
// the halves merged.
std::vector<int> sortedOrder(const std::vector<FolderChild *> &children, SortColumn column)
{
    const size_t count = children.size();
    const bool byType = column == SortColumn::Type;
    const bool cacheTypes = byType && (count >= typeCacheFrom || FileTypeCache::patternsExamined());
    std::vector<QString> types(byType ? count : 0);
    std::vector<SortRecords::Part> parts(splits(count) ? 2 : 1);
    splitInTwo(count, [&](size_t begin, size_t end) {
        const NameKeys names;
        TypeTexts typeTexts;
        typeTexts.cached = cacheTypes;
        SortRecords::Part &part = parts[begin == 0 ? 0 : 1];
        // The first part takes the others' records and keys after it.
        const size_t room = begin == 0 ? count : end - begin;
        part.records.reserve(room);
        part.keys.reserve(room * 32);
        for (size_t i = begin; i < end; ++i) {
            FolderChild &child = *children[i];
            ShellNamespace::resolve(child);
            const quint64 value = quil::entryColumnValue(child, column);
            if (byType)
                types[i] = typeTexts.of(child);
            const size_t keyStart = part.keys.size();
            names.append(child.name, part.keys);
            part.add(quint32(i), quil::entryGroup(child), value, keyStart);
        }
    });
    SortRecords sorting(std::move(parts));
    std::vector<SortRecord> &records = sorting.records();
    if (byType) {
        const QHash<QString, quint64> ranks = typeRanks(types);
        for (SortRecord &record : records)
            record.value = ranks.value(types[record.index]);
    }
    const auto before = [&sorting](const SortRecord &a, const SortRecord &b) { return sorting.before(a, b); };
    splitInTwo(count, [&](size_t begin, size_t end) {
        std::sort(records.begin() + std::ptrdiff_t(begin), records.begin() + std::ptrdiff_t(end), before);
    });
    if (splits(count))
        std::inplace_merge(records.begin(), records.begin() + std::ptrdiff_t(count / 2), records.end(), before);
    std::vector<int> order;
    order.reserve(count);
    for (const SortRecord &record : records)
        order.push_back(int(record.index));
    return order;
}

} // namespace

void FolderListing::readFolder(const ItemId &folder)
{
    replaceEntries(enumerate(folder));
}

QList<FolderChild> FolderListing::enumerate(const ItemId &folder)
{
    return ShellNamespace::enumerate(folder, ShellNamespace::ResolveLinks);
}

void FolderListing::replaceEntries(QList<FolderChild> children)
{
    m_entries.clear();
    m_order.clear();
    m_entries.reserve(children.size());
    for (FolderChild &child : children) {
        if (!listsName(child.name))
            continue;
        TShellItem &entry = m_entries.emplaceBack();
        entry.name = child.name;
        entry.folderChild = std::move(child);
    }
    sort();
}

void FolderListing::sort()
{
    std::vector<FolderChild *> pointers;
    pointers.reserve(size_t(m_entries.size()));
    for (TShellItem &entry : m_entries)
        pointers.push_back(&entry.folderChild);
    m_order = sortedOrder(pointers, SortColumn(int(m_sortKey)));
}

void FolderListing::insertEntry(int row, TShellItem entry)
{
    m_entries.append(std::move(entry));
    m_order.insert(m_order.begin() + std::clamp(row, 0, count()), int(m_entries.size() - 1));
}

void FolderListing::removeEntry(int row)
{
    const int index = m_order.at(size_t(row));
    m_order.erase(m_order.begin() + row);
    // The last entry takes the place of the removed one.
    const int last = int(m_entries.size() - 1);
    if (index != last) {
        m_entries.swapItemsAt(index, last);
        std::replace(m_order.begin(), m_order.end(), last, index);
    }
    m_entries.removeLast();
}

void FolderListing::moveEntry(int from, int to)
{
    const int index = m_order.at(size_t(from));
    m_order.erase(m_order.begin() + from);
    m_order.insert(m_order.begin() + std::clamp(to, 0, count()), index);
}

void FolderListing::takeEntries(FolderListing &other)
{
    m_entries.swap(other.m_entries);
    m_order.swap(other.m_order);
}

std::vector<int> FolderListing::changeRows(const std::vector<int> &goneRows,
                                           std::vector<std::pair<int, TShellItem>> coming)
{
    const int oldCount = count();
    std::vector<char> gone(size_t(oldCount), 0);
    // The stored places of gone entries take the coming ones: only the
    // entries that change are moved, never the whole listing.
    std::vector<int> freeSlots;
    for (const int row : goneRows) {
        gone.at(size_t(row)) = 1;
        freeSlots.push_back(m_order[size_t(row)]);
    }
    std::sort(freeSlots.begin(), freeSlots.end(), std::greater<>());
    std::vector<int> storedAt(coming.size());
    for (size_t i = 0; i < coming.size(); ++i) {
        if (freeSlots.empty()) {
            storedAt[i] = int(m_entries.size());
            m_entries.append(std::move(coming[i].second));
        } else {
            storedAt[i] = freeSlots.back();
            freeSlots.pop_back();
            m_entries[storedAt[i]] = std::move(coming[i].second);
        }
    }
    // Places left over are closed up by the last entries.
    std::vector<int> movedTo(m_entries.size());
    std::iota(movedTo.begin(), movedTo.end(), 0);
    std::sort(freeSlots.begin(), freeSlots.end());
    for (size_t next = 0; next < freeSlots.size();) {
        const int last = int(m_entries.size() - 1);
        if (freeSlots.back() == last) {
            freeSlots.pop_back();
        } else {
            m_entries[freeSlots[next]] = std::move(m_entries[last]);
            movedTo[size_t(last)] = freeSlots[next++];
        }
        m_entries.removeLast();
    }
    std::vector<int> order;
    order.reserve(size_t(m_entries.size()));
    std::vector<int> newRows(size_t(oldCount) + coming.size(), -1);
    size_t next = 0;
    const auto placeComingBefore = [&](int row) {
        for (; next < coming.size() && coming[next].first <= row; ++next) {
            newRows[size_t(oldCount) + next] = int(order.size());
            order.push_back(movedTo[size_t(storedAt[next])]);
        }
    };
    for (int row = 0; row < oldCount; ++row) {
        placeComingBefore(row);
        if (gone[size_t(row)])
            continue;
        newRows[size_t(row)] = int(order.size());
        order.push_back(movedTo[size_t(m_order[size_t(row)])]);
    }
    placeComingBefore(oldCount);
    m_order = std::move(order);
    return newRows;
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
        FolderChild &child = entry.folderChild;
        entry.absoluteId = child.id;
        entry.iconIndex = ShellNamespace::iconIndex(entry.absoluteId);
        entry.typeText = ShellNamespace::typeText(entry.absoluteId).left(80);
        if (!child.details)
            child.details = ShellNamespace::findData(entry.absoluteId);
        // A failed read leaves 1 KB, no attributes and no date.
        const FindData find = child.details.value_or(FindData{});
        entry.size = sizeKbFromBytes(qint64(std::min<quint64>(find.size, quint64(INT64_MAX))));
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

void FolderListing::setCurrent(const ItemId &folder, const QString &path)
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

} // namespace quil
