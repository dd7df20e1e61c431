#include "platform/MaskMatcher.h"

#include <gtest/gtest.h>

using quil::InvalidMaskError;
using quil::MaskMatcher;

TEST(MaskMatcher, MatchesWholeNames)
{
    struct Case
    {
        const char *mask;
        const char *name;
        bool matches;
    } cases[] = {
        {"*.*", "README", false},
        {"*", "README", true},
        {"*.*", "a.txt", true},
        {"*.TXT", "a.txt", true},
        {"*.txt", "a.txt.bak", false},
        {"a?c", "abc", true},
        {"a?c", "ac", false},
        {"*?", "", true},
        {"*?", "x", true},
        {"", "", true},
        {"", "a", false},
        {"[a-c]*", "Beta", true},
        {"[a-c]*", "delta", false},
        {"[!a-c]*", "delta", true},
        {"[!a-c]*", "alpha", false},
        {"[xyz].txt", "Y.TXT", true},
        {"a*b*c", "aXbYc", true},
        {"a*b*c", "aXbY", false},
        {"*ab", "aab", true},
        {"*.", "abc.", true},
        {"*.", "abc", false},
        {"Файл*", "Файл1", true},
        {"ФАЙЛ*", "файл1", false},
        {"ф*", "Ф", false},
        {"*\xF0\x9F\x98\x80", "x\xF0\x9F\x98\x80", true},
        {"?", "\xF0\x9F\x98\x80", true},
    };
    for (const Case &c : cases)
        EXPECT_EQ(MaskMatcher(QString::fromUtf8(c.mask)).matches(QString::fromUtf8(c.name)), c.matches)
            << c.mask << " vs " << c.name;
}

// "q*??" once marked a file named q: every "?" after a star was absorbed.
// Only the "?" right after the star adds nothing; each further one takes a
// character, so "*?" is "*" and "*??" is "*?".
TEST(MaskMatcher, OnlyTheQuestionMarkRightAfterAStarIsAbsorbed)
{
    struct Case
    {
        const char *mask;
        const char *name;
        bool matches;
    } cases[] = {
        {"q*??", "q", false},       {"q*??", "qa", true},       {"q*??", "qab", true}, {"*??", "", false},
        {"*??", "x", true},         {"*???", "x", false},       {"*???", "xy", true},  {"a*?b", "ab", true},
        {"?*?", "", false},         {"?*?", "x", true},         {"*?*?", "", true},    {"*?.txt", ".txt", true},
        {"*??.txt", ".txt", false}, {"*??.txt", "a.txt", true},
    };
    for (const Case &c : cases)
        EXPECT_EQ(MaskMatcher(QString::fromUtf8(c.mask)).matches(QString::fromUtf8(c.name)), c.matches)
            << c.mask << " vs " << c.name;
}

TEST(MaskMatcher, InvalidMasksNameTheirPosition)
{
    const std::pair<const char *, int> cases[] = {
        {"[]", 2}, {"a[", 3}, {"[abc", 5}, {"[-a]", 2}, {"x[!]", 4}, {"[a-", 4},
    };
    for (const auto &[mask, position] : cases) {
        try {
            MaskMatcher matcher{QString::fromUtf8(mask)};
            ADD_FAILURE() << mask << " was accepted";
        } catch (const InvalidMaskError &error) {
            EXPECT_EQ(error.message(),
                      QStringLiteral("'%1' is an invalid mask at (%2)").arg(QString::fromUtf8(mask)).arg(position));
        }
    }
}

TEST(MaskMatcher, ThirtyStarGroupsAtMost)
{
    QString thirty;
    for (int i = 0; i < 30; ++i)
        thirty += QStringLiteral("**a");
    EXPECT_TRUE(MaskMatcher(thirty).matches(QString(30, QLatin1Char('a'))));
    EXPECT_THROW(MaskMatcher(thirty + QStringLiteral("*")), InvalidMaskError);
    try {
        MaskMatcher matcher(thirty + QStringLiteral("*"));
    } catch (const InvalidMaskError &error) {
        EXPECT_TRUE(error.message().endsWith(QStringLiteral("at (91)")));
    }
}

TEST(MaskMatcher, ManyStarsStayFast)
{
    // A backtracking matcher without care would take exponential time here.
    const MaskMatcher matcher(QStringLiteral("*a*a*a*a*a*a*a*a*a*a*a*a*b"));
    EXPECT_FALSE(matcher.matches(QString(5000, QLatin1Char('a'))));
}
