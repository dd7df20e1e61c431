#include "listing/SortRecords.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <random>
#include <string>
#include <tuple>

namespace {

struct Item
{
    quint64 group;
    quint64 value;
    std::string key;
};

// The positions in the order of group, value, key as a byte string, position.
std::vector<quint32> expectedOrder(const std::vector<Item> &items)
{
    std::vector<quint32> order(items.size());
    for (quint32 i = 0; i < order.size(); ++i)
        order[i] = i;
    std::sort(order.begin(), order.end(), [&](quint32 a, quint32 b) {
        return std::tie(items[a].group, items[a].value, items[a].key, a) <
               std::tie(items[b].group, items[b].value, items[b].key, b);
    });
    return order;
}

// The positions as the records sort them, made in parts of partSize items.
std::vector<quint32> recordOrder(const std::vector<Item> &items, size_t partSize)
{
    std::vector<quil::SortRecords::Part> parts;
    for (quint32 i = 0; i < items.size(); ++i) {
        if (i % partSize == 0)
            parts.emplace_back();
        quil::SortRecords::Part &part = parts.back();
        const size_t start = part.keys.size();
        part.keys.insert(part.keys.end(), items[i].key.begin(), items[i].key.end());
        part.add(i, items[i].group, items[i].value, start);
    }
    quil::SortRecords sorting(std::move(parts));
    std::vector<quil::SortRecord> &records = sorting.records();
    std::sort(records.begin(), records.end(),
              [&](const quil::SortRecord &a, const quil::SortRecord &b) { return sorting.before(a, b); });
    std::vector<quint32> order;
    for (const quil::SortRecord &record : records)
        order.push_back(record.index);
    return order;
}

} // namespace

// Keys that share more bytes than the records hold, keys that begin other
// keys, equal keys, zero and high bytes inside keys, empty keys, and keys
// that all share a long prefix (which the records skip), over groups and
// values that decide before the keys.
TEST(SortRecords, OrderAsGroupValueBytesAndPosition)
{
    const std::string shared(40, 'p');
    const std::vector<Item> table = {
        {1, 0, shared + "b"},
        {1, 0, shared},
        {1, 0, shared + std::string("\0", 1)},
        {1, 0, shared + std::string("\0\0", 2)},
        {1, 0, shared + "\x01"},
        {1, 0, shared + "\xff"},
        {1, 0, shared + "b"},
        {0, 9, shared + "z"},
        {1, 0, shared + std::string(15, 'q') + "a"},
        {1, 0, shared + std::string(16, 'q') + "a"},
        {1, 0, shared + std::string(16, 'q')},
        {1, 0, shared + std::string(17, 'q')},
        {1, quint64(1) << 63, shared + "a"},
        {1, 1, shared + "a"},
        {0, 0, shared + "zz"},
    };
    EXPECT_EQ(recordOrder(table, table.size()), expectedOrder(table));
    EXPECT_EQ(recordOrder(table, 4), expectedOrder(table));

    std::mt19937 random(29);
    for (const size_t prefix : {size_t(0), size_t(7), size_t(30)}) {
        std::vector<Item> items;
        const std::string common(prefix, '\x80');
        const char alphabet[] = {'\0', '\x01', 'a', '\x7f', '\x80', '\xff'};
        for (int i = 0; i < 3000; ++i) {
            std::string key = common;
            const size_t length = random() % 24;
            for (size_t k = 0; k < length; ++k)
                key += alphabet[random() % sizeof alphabet];
            items.push_back({random() % 2, random() % 3 == 0 ? quint64(random()) << 40 : 0, key});
        }
        EXPECT_EQ(recordOrder(items, 1700), expectedOrder(items)) << prefix;
    }

    const std::vector<Item> empty = {{0, 0, ""}, {0, 0, ""}, {0, 0, "a"}, {0, 0, ""}};
    EXPECT_EQ(recordOrder(empty, 2), expectedOrder(empty));
    EXPECT_TRUE(recordOrder({}, 1).empty());
}
