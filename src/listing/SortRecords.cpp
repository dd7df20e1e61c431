#include "listing/SortRecords.h"

#include <algorithm>
#include <cstring>

namespace quil {

namespace {

constexpr size_t headBytes = sizeof(SortRecord::head);

// Up to 8 bytes as a big-endian number, zero-padded on the right, so that
// numbers order as the bytes do.
quint64 bigEndian(const unsigned char *bytes, size_t count)
{
    quint64 value = 0;
    for (size_t i = 0; i < 8; ++i)
        value = (value << 8) | (i < count ? bytes[i] : 0);
    return value;
}

} // namespace

int compareKeyBytes(const unsigned char *a, size_t aLength, const unsigned char *b, size_t bLength)
{
    const size_t common = std::min(aLength, bLength);
    const int byBytes = common == 0 ? 0 : std::memcmp(a, b, common);
    if (byBytes != 0)
        return byBytes;
    return aLength < bLength ? -1 : int(aLength > bLength);
}

void SortRecords::Part::add(quint32 index, quint64 group, quint64 value, size_t keyStart)
{
    SortRecord record;
    record.group = group;
    record.value = value;
    record.offset = quint32(keyStart);
    record.length = quint32(keys.size() - keyStart);
    record.index = index;
    records.push_back(record);
}

SortRecords::SortRecords(std::vector<Part> parts)
{
    // The first part's vectors become the joined ones (its share need not be
    // copied); the others are appended.
    for (Part &part : parts) {
        if (&part == &parts.front()) {
            m_records = std::move(part.records);
            m_keys = std::move(part.keys);
            continue;
        }
        const auto base = quint32(m_keys.size());
        m_keys.insert(m_keys.end(), part.keys.begin(), part.keys.end());
        for (SortRecord record : part.records) {
            record.offset += base;
            m_records.push_back(record);
        }
        part = Part{};
    }
    if (m_records.empty())
        return;
    // The bytes every key begins with decide nothing: the heads start after them.
    const unsigned char *first = m_keys.data() + m_records.front().offset;
    size_t shared = m_records.front().length;
    for (const SortRecord &record : m_records) {
        const unsigned char *key = m_keys.data() + record.offset;
        const size_t limit = std::min<size_t>(shared, record.length);
        size_t same = 0;
        while (same < limit && key[same] == first[same])
            ++same;
        shared = same;
    }
    for (SortRecord &record : m_records) {
        record.offset += quint32(shared);
        record.length -= quint32(shared);
        const unsigned char *key = m_keys.data() + record.offset;
        const size_t length = record.length;
        record.head[0] = bigEndian(key, length);
        record.head[1] = bigEndian(key + std::min<size_t>(8, length), length > 8 ? length - 8 : 0);
    }
}

bool SortRecords::before(const SortRecord &a, const SortRecord &b) const
{
    if (a.group != b.group)
        return a.group < b.group;
    if (a.value != b.value)
        return a.value < b.value;
    if (a.head[0] != b.head[0])
        return a.head[0] < b.head[0];
    if (a.head[1] != b.head[1])
        return a.head[1] < b.head[1];
    // Equal heads: the rest of the keys, past the bytes the heads hold, then
    // the lengths (keys of up to 16 bytes may end in zero bytes the heads pad).
    const size_t headA = std::min<size_t>(a.length, headBytes);
    const size_t headB = std::min<size_t>(b.length, headBytes);
    const int byKey = compareKeyBytes(m_keys.data() + a.offset + headA, a.length - headA,
                                      m_keys.data() + b.offset + headB, b.length - headB);
    if (byKey != 0)
        return byKey < 0;
    if (a.length != b.length)
        return a.length < b.length;
    return a.index < b.index;
}

} // namespace quil
