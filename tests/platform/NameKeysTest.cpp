#include "platform/NameKeys.h"
#include "platform/ItemComparator.h"
#include "platform/NativePath.h"

#include <QLocale>
#include <QStringList>
#include <algorithm>
#include <cstring>
#include <gtest/gtest.h>

using quil::ItemComparator;
using quil::NameKeys;
using quil::SortColumn;

namespace {

int sign(int value)
{
    return value < 0 ? -1 : (value > 0 ? 1 : 0);
}

int compareBytes(const std::vector<unsigned char> &a, const std::vector<unsigned char> &b)
{
    const size_t common = std::min(a.size(), b.size());
    const int byBytes = common == 0 ? 0 : std::memcmp(a.data(), b.data(), common);
    if (byBytes != 0)
        return sign(byBytes);
    return a.size() < b.size() ? -1 : int(a.size() > b.size());
}

} // namespace

// The byte keys of the sort order every pair of names the same way as the
// comparator's keys, in the locales the program meets: case, accents and
// composed or decomposed letters, Cyrillic, numbers of any length,
// punctuation, the empty name and names that are not valid UTF-8.
TEST(NameKeys, OrderPairsAsTheComparatorDoes)
{
    const QStringList names = {"file2",
                               "file10",
                               "File10",
                               "file010",
                               "abc",
                               "ABD",
                               "a b",
                               "a-b",
                               "a_b",
                               "a.b",
                               "ab",
                               "",
                               QStringLiteral("é"),
                               QStringLiteral("e\u0301"),
                               "e",
                               "f",
                               QStringLiteral("Ёлка"),
                               QStringLiteral("елка"),
                               QStringLiteral("ель"),
                               QStringLiteral("я"),
                               "7",
                               "007",
                               "0000000000000000000000001",
                               "99999999999999999999",
                               "entry 12 item3.txt",
                               "entry 12 item3 dir",
                               "entry 120 item3.txt",
                               quil::fromNative("bad\xff\xfe.txt"),
                               quil::fromNative("bad\xfe.txt"),
                               quil::fromNative("\x80"),
                               quil::fromNative("\xc3\x28 half")};
    for (const QLocale &locale :
         {QLocale(QLocale::English, QLocale::UnitedStates), QLocale(QLocale::Russian, QLocale::Russia), QLocale::c()}) {
        const ItemComparator comparator(locale);
        const NameKeys keys(locale);
        std::vector<std::vector<unsigned char>> bytes;
        for (const QString &name : names) {
            std::vector<unsigned char> key = {'x'}; // a key is appended after what the buffer holds
            const size_t length = keys.append(name, key);
            ASSERT_EQ(key.size(), length + 1);
            key.erase(key.begin());
            EXPECT_EQ(std::count(key.begin(), key.end(), 0), 0) << name.toStdString();
            bytes.push_back(key);
        }
        for (qsizetype a = 0; a < names.size(); ++a)
            for (qsizetype b = 0; b < names.size(); ++b)
                ASSERT_EQ(compareBytes(bytes[size_t(a)], bytes[size_t(b)]),
                          ItemComparator::compare(comparator.key(names[a], false), comparator.key(names[b], false),
                                                  SortColumn::Name))
                    << locale.name().toStdString() << ": " << names[a].toStdString() << " / " << names[b].toStdString();
    }
}
