#pragma once

#include <QtGlobal>
#include <vector>

namespace quil {

// The sort record of one entry: its place in the order reduced to two
// integers and a name key, so that most comparisons of a large folder's sort
// are integer comparisons on the record itself and only ties on the first
// name key bytes read the shared key buffer.
struct SortRecord
{
    quint64 group = 0; // compared first (the folder rule and fixed places)
    quint64 value = 0; // then this (the column's value or rank)
    // Then the name key: its first 16 bytes past the prefix every key shares,
    // big-endian and zero-padded, then the bytes after those in the buffer.
    quint64 head[2] = {};
    quint32 offset = 0; // where the key's bytes begin in the buffer
    quint32 length = 0; // the key's length
    quint32 index = 0;  // the entry's position, the last tie-break
};

// Byte-string order of two keys: negative when a goes first, positive when
// b does, 0 when equal.
int compareKeyBytes(const unsigned char *a, size_t aLength, const unsigned char *b, size_t bLength);

// The records of a folder's entries over one buffer of name keys. Name keys
// compare as byte strings (unsigned bytes, a key before the longer keys it
// begins); records equal in group, value and key keep the order of index.
class SortRecords
{
public:
    // One thread's share: records whose offset and length point into keys.
    struct Part
    {
        std::vector<SortRecord> records;
        std::vector<unsigned char> keys;
        // Adds the record of entry index, whose name key is the bytes of keys
        // from keyStart to the end.
        void add(quint32 index, quint64 group, quint64 value, size_t keyStart);
    };

    // Joins the parts, in their order, into one list over one buffer.
    explicit SortRecords(std::vector<Part> parts);

    std::vector<SortRecord> &records() { return m_records; }
    // Whether a goes before b.
    bool before(const SortRecord &a, const SortRecord &b) const;

private:
    std::vector<SortRecord> m_records;
    std::vector<unsigned char> m_keys;
};

} // namespace quil
