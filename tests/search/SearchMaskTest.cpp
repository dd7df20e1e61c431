#include "search/SearchMask.h"
#include "platform/DosWildcard.h"
#include "platform/NativePath.h"

#include <gtest/gtest.h>

using quil::SearchMask;

// The quick paths for plain masks must decide as the file system's rules do.
TEST(SearchMask, AgreesWithTheWildcardRules)
{
    const char *names[] = {"a.txt",    "A.TXT",    "a.b.txt", "a.txt.bak",   ".txt",     "txt",
                           "atxt",     "a.",       "abc",     "abc.txt",     "ABCD.TXT", "x.tx",
                           "x.txtt",   "fıle.txı", "f.TXı",   "caf\xe9.txt", "caf\xe9",  "файл.txt",
                           "ФАЙЛ.TXT", "f1",       "f12.dat", "F1.log",      "",         "..."};
    const char *masks[][2] = {{"*", "txt"}, {"*", "TXT"}, {"*", "*"},   {"*", ""},     {"abc", "*"},  {"abc", "txt"},
                              {"f1*", "*"}, {"F1", "*"},  {"a", "txt"}, {"*", "tx?"},  {"*", "txi"},  {"файл", "*"},
                              {"*", "t*"},  {"?", "txt"}, {"*", "."},   {"*a", "txt"}, {"caf?", "*"}, {"", "txt"}};
    for (const auto &fields : masks) {
        SearchMask mask(QString::fromUtf8(fields[0]), QString::fromUtf8(fields[1]));
        quil::DosWildcard rules(mask.mask());
        for (const char *name : names) {
            SCOPED_TRACE(std::string(fields[0]) + "." + fields[1] + " on " + name);
            EXPECT_EQ(mask.matchesName(QByteArrayView(name)), rules.matches(quil::fromNative(QByteArrayView(name))));
        }
    }
}

TEST(SearchMask, FieldsToMask)
{
    struct Case
    {
        const char *name, *extension, *mask;
        bool fragmentMode;
        const char *fragment;
    } cases[] = {
        {"*", "*", "*.*", false, ""},     {"abc", "*", "abc.*", false, ""},        {"*", "txt", "*.txt", false, ""},
        {"*", "", "*.", false, ""},       {"*abc", "txt", "*.txt", true, "ABC"},   {"*abc*", "*", "*.*", true, "ABC*"},
        {"* ", "txt", "*.txt", true, ""}, {" *abc", "txt", "*abc.txt", false, ""}, {"*Пап", "", "*.", true, "Пап"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        SearchMask mask(QString::fromUtf8(c.name), QString::fromUtf8(c.extension));
        EXPECT_EQ(mask.mask(), QString::fromUtf8(c.mask));
        EXPECT_EQ(mask.fragmentMode(), c.fragmentMode);
        EXPECT_EQ(mask.NameFragment(), QString::fromUtf8(c.fragment));
    }
}
