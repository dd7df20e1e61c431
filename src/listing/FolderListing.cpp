#include "listing/FolderListing.h"

#include "listing/EntryOrder.h"
#include "listing/EntryText.h"
#include "listing/FileTypeCache.h"
#include "listing/SortRecords.h"
#include "platform/ChildSink.h"
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

size_t FolderListing::indexOf(int i) const
{
    if (i < 0 || i >= count())
        throw std::out_of_range("no entry at this row");
    return size_t(m_order[size_t(i)]);
}

TShellItem &FolderListing::wholeEntry(size_t index) const
{
    const quint8 bits = m_store.ownerBits(index);
    if (bits & WholeBit)
        return m_whole.at(index);
    TShellItem &entry = m_whole[index];
    entry.folderChild = m_store.child(index);
    entry.name = entry.folderChild.name;
    entry.marked = bits & MarkedBit;
    m_store.setOwnerBits(index, WholeBit);
    return entry;
}

const TShellItem &FolderListing::entry(int i) const
{
    return wholeEntry(indexOf(i));
}

TShellItem &FolderListing::entry(int i)
{
    return wholeEntry(indexOf(i));
}

bool FolderListing::isFolder(int i) const
{
    const size_t index = indexOf(i);
    if (m_store.ownerBits(index) & WholeBit)
        return m_whole.at(index).folderChild.isFolder;
    return m_store.isFolder(index);
}

QString FolderListing::name(int i) const
{
    const size_t index = indexOf(i);
    if (m_store.ownerBits(index) & WholeBit)
        return m_whole.at(index).name;
    return m_store.name(index).toString();
}

bool FolderListing::isMarked(int i) const
{
    const size_t index = indexOf(i);
    const quint8 bits = m_store.ownerBits(index);
    if (bits & WholeBit)
        return m_whole.at(index).marked;
    return bits & MarkedBit;
}

void FolderListing::setMarked(int i, bool marked)
{
    const size_t index = indexOf(i);
    const quint8 bits = m_store.ownerBits(index);
    if (bits & WholeBit)
        m_whole.at(index).marked = marked;
    else
        m_store.setOwnerBits(index, marked ? MarkedBit : 0);
}

FolderChild FolderListing::child(int i) const
{
    const size_t index = indexOf(i);
    if (m_store.ownerBits(index) & WholeBit)
        return m_whole.at(index).folderChild;
    return m_store.child(index);
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

// The positions of the entries in the order of the column (ItemComparator's
// order): one sort record per entry with its name key (each thread with its
// own collator and key buffer), then each half sorted on its own thread and
// the halves merged. childOf(index) gives the child of an entry made whole,
// or null; the others are read from the store, whose name order needs no
// copy of an entry.
template <typename ChildOf> std::vector<int> sortedOrder(EntryStore &store, ChildOf childOf, SortColumn column)
{
    const size_t count = store.size();
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
        FolderChild made;
        for (size_t i = begin; i < end; ++i) {
            FolderChild *child = childOf(i);
            const bool fromStore = child == nullptr;
            if (fromStore && column == SortColumn::Name && store.isResolved(i)) {
                const size_t keyStart = part.keys.size();
                names.append(store.name(i), part.keys);
                part.add(quint32(i), entryGroup(store.isFolder(i), store.order(i)), 0, keyStart);
                continue;
            }
            if (fromStore) {
                made = store.child(i);
                child = &made;
            }
            ShellNamespace::resolve(*child);
            if (fromStore)
                store.setResolved(i, child->isFolder, child->isLink);
            const quint64 value = quil::entryColumnValue(*child, column);
            if (byType)
                types[i] = typeTexts.of(*child);
            const size_t keyStart = part.keys.size();
            names.append(child->name, part.keys);
            part.add(quint32(i), quil::entryGroup(*child), value, keyStart);
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

namespace {

// Puts the children into a store as they are read.
class StoreSink : public ChildSink
{
public:
    explicit StoreSink(const ItemId &folder) : store(folder) {}
    EntryStore store;
    void expect(size_t count, size_t nameBytes) override { store.reserve(count, nameBytes); }
    void take(FolderChild &child) override { store.add(child); }
};

} // namespace

EntryStore FolderListing::enumerate(const ItemId &folder, ReadingProgress *progress)
{
    StoreSink sink(folder);
    enumerateInto(folder, ShellNamespace::ResolveLinks, sink, progress);
    return std::move(sink.store);
}

void FolderListing::replaceEntries(EntryStore children)
{
    discardEntries();
    m_store = std::move(children);
    if (!m_hiddenShown)
        m_store.keepOnly([this](QStringView name) { return listsName(name); });
    m_store.fitMemory();
    sort();
}

void FolderListing::replaceEntries(const QList<FolderChild> &children)
{
    EntryStore store(m_currentFolder);
    for (const FolderChild &child : children)
        store.add(child);
    replaceEntries(std::move(store));
}

void FolderListing::discardEntries()
{
    m_order = {};
    m_whole = {};
    m_store.clear();
}

void FolderListing::sort()
{
    const auto childOf = [this](size_t index) -> FolderChild * {
        if (!(m_store.ownerBits(index) & WholeBit))
            return nullptr;
        return &m_whole.at(index).folderChild;
    };
    m_order = sortedOrder(m_store, childOf, SortColumn(int(m_sortKey)));
}

void FolderListing::insertEntry(int row, TShellItem entry)
{
    const size_t index = m_store.add(entry.folderChild);
    m_whole[index] = std::move(entry);
    m_store.setOwnerBits(index, WholeBit);
    m_order.insert(m_order.begin() + std::clamp(row, 0, count()), int(index));
}

void FolderListing::removeEntry(int row)
{
    const size_t index = indexOf(row);
    m_order.erase(m_order.begin() + row);
    m_whole.erase(index);
    // The last entry takes the place of the removed one.
    const size_t last = m_store.size() - 1;
    if (index != last) {
        m_store.replaceByLast(index);
        if (auto whole = m_whole.extract(last))
            m_whole.emplace(index, std::move(whole.mapped()));
        std::replace(m_order.begin(), m_order.end(), int(last), int(index));
    } else {
        m_store.replaceByLast(index);
    }
}

void FolderListing::moveEntry(int from, int to)
{
    const int index = int(indexOf(from));
    m_order.erase(m_order.begin() + from);
    m_order.insert(m_order.begin() + std::clamp(to, 0, count()), index);
}

void FolderListing::takeEntries(FolderListing &other)
{
    std::swap(m_store, other.m_store);
    m_whole.swap(other.m_whole);
    m_order.swap(other.m_order);
}

std::vector<int> FolderListing::changeRows(const std::vector<int> &goneRows,
                                           std::vector<std::pair<int, TShellItem>> coming)
{
    const int oldCount = count();
    std::vector<char> gone(size_t(oldCount), 0);
    std::vector<size_t> goneSlots;
    for (const int row : goneRows) {
        gone.at(size_t(row)) = 1;
        goneSlots.push_back(indexOf(row));
    }
    // The coming entries are stored whole after the others.
    std::vector<size_t> storedAt;
    for (auto &[row, entry] : coming) {
        const size_t index = m_store.add(entry.folderChild);
        m_whole[index] = std::move(entry);
        m_store.setOwnerBits(index, WholeBit);
        storedAt.push_back(index);
    }
    // The places of the gone entries are taken by the last ones, from the
    // highest place down, so that only entries that change are moved.
    std::vector<size_t> movedTo(m_store.size());
    std::iota(movedTo.begin(), movedTo.end(), size_t(0));
    std::vector<size_t> originalAt = movedTo;
    std::sort(goneSlots.begin(), goneSlots.end(), std::greater<>());
    for (const size_t slot : goneSlots) {
        m_whole.erase(slot);
        const size_t last = m_store.size() - 1;
        m_store.replaceByLast(slot);
        if (slot == last)
            continue;
        if (auto whole = m_whole.extract(last))
            m_whole.emplace(slot, std::move(whole.mapped()));
        movedTo[originalAt[last]] = slot;
        originalAt[slot] = originalAt[last];
    }
    std::vector<int> order;
    order.reserve(m_store.size());
    std::vector<int> newRows(size_t(oldCount) + coming.size(), -1);
    size_t next = 0;
    const auto placeComingBefore = [&](int row) {
        for (; next < coming.size() && coming[next].first <= row; ++next) {
            newRows[size_t(oldCount) + next] = int(order.size());
            order.push_back(int(movedTo[storedAt[next]]));
        }
    };
    for (int row = 0; row < oldCount; ++row) {
        placeComingBefore(row);
        if (gone[size_t(row)])
            continue;
        newRows[size_t(row)] = int(order.size());
        order.push_back(int(movedTo[size_t(m_order[size_t(row)])]));
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
        TShellItem &entry = wholeEntry(size_t(m_order[size_t(i)]));
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
    for (int i = 0; i < count(); ++i) {
        const size_t index = size_t(m_order[size_t(i)]);
        if (m_store.ownerBits(index) & WholeBit ? m_whole.at(index).name == name : m_store.name(index) == name)
            return i;
    }
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
