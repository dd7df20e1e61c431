#include "platform/DosWildcard.h"

#include <gtest/gtest.h>

using quil::DosWildcard;

TEST(DosWildcard, FileSystemRules)
{
    struct Case
    {
        const char *pattern;
        const char *name;
        bool matches;
    } cases[] = {
        {"*.*", "README", true},
        {"*.*", "a.txt", true},
        {"*.*", ".hidden", true},
        {"*", "anything.at.all", true},
        {"*.", "README", true},
        {"*.", "a.txt", false},
        {"abc.*", "abc", true},
        {"abc.*", "abc.txt", true},
        {"abc.*", "abcd", false},
        {"abc.*", "ABC.TXT", true},
        {"a?.txt", "a.txt", true},
        {"a?.txt", "ab.txt", true},
        {"a?.txt", "abc.txt", false},
        {"*.txt", "a.b.txt", true},
        {"*.txt", "a.txt.bak", false},
        {"*.TXT", "notes.txt", true},
        {"*abc*.*", "xxabcyy.doc", true},
        {"*abc.*", "xabc", true},
        {"*abc.*", "xab", false},
        {"??", "a", true},
        {"??", "abc", false},
        {"файл.*", "ФАЙЛ.txt", true},
        {"* .*", "a b", false},
        {"* .*", "a .txt", true},
        {"*.tar.gz", "x.tar.gz", true},
        {"*.gz", "x.tar.gz", true},
        {"x.", "x", true},
        {"x?", "x", true},
        {"x.?", "x", true},
        {"x.?", "x.y", true},
    };
    for (const Case &c : cases)
        EXPECT_EQ(DosWildcard(QString::fromUtf8(c.pattern)).matches(QString::fromUtf8(c.name)), c.matches)
            << c.pattern << " vs " << c.name;
}
