#include "listing/DiskDisplay.h"
#include "listing/EntryText.h"
#include "listing/FileTypeCache.h"
#include "listing/PathText.h"
#include "listing/PrefixSearch.h"
#include "listing/SortOrder.h"
#include "platform/NativePath.h"
#include "platform/ShellNamespace.h"

#include <QMimeDatabase>
#include <algorithm>

#include <QStringList>
#include <gtest/gtest.h>

using namespace quil;

TEST(EntryText, SizesRoundUpToWholeKilobytes)
{
    struct Case
    {
        qint64 bytes;
        qint64 kb;
    };
    const Case cases[] = {{0, 1},
                          {1, 1},
                          {1024, 1},
                          {1025, 2},
                          {5368709120LL, 5242880},
                          // 3 TiB: kept whole instead of being cut to 32 bits.
                          {3LL << 40, 3LL << 30}};
    for (const Case &c : cases)
        EXPECT_EQ(sizeKbFromBytes(c.bytes), c.kb) << c.bytes;
}

TEST(EntryText, SizeColumnAndAttributeLetters)
{
    EXPECT_EQ(sizeColumnText(false, 12345), QStringLiteral("12345 Kb"));
    EXPECT_EQ(sizeColumnText(true, 12345), QStringLiteral("<dir>"));
    EXPECT_EQ(attributeLetters(AttributeReadOnly | AttributeHidden | AttributeArchive), QStringLiteral("RHA"));
    EXPECT_EQ(attributeLetters(AttributeSystem | AttributeDirectory), QStringLiteral("S"));
    EXPECT_EQ(attributeLetters(AttributeDirectory), QString());
    EXPECT_EQ(attributeLetters(0x3f), QStringLiteral("RHSA"));
}

TEST(DiskDisplay, LabelTextsAndBar)
{
    const DiskDisplayFigures disk = diskDisplayFigures(500107862016LL / 1024, 999);
    EXPECT_EQ(disk.sizeText, QStringLiteral(" 488 386 584 Kb -"));
    EXPECT_EQ(disk.freeText, QStringLiteral(" 999 Kb"));
    EXPECT_EQ(diskDisplayFigures(2000, 1000).freeText, QStringLiteral("1 000 Kb"));

    const DiskDisplayFigures half = diskDisplayFigures(2000, 1000);
    EXPECT_EQ(half.freeWidth, 110);
    EXPECT_EQ(half.freeLeft, 265);
    EXPECT_EQ(half.usedWidth, 110);
    // 1/3 of 220 is 73.3: rounded to the nearest pixel.
    EXPECT_EQ(diskDisplayFigures(3000, 1000).freeWidth, 73);
    EXPECT_EQ(diskDisplayFigures(3000, 2000).freeWidth, 147);
}

TEST(DiskDisplay, VolumeReportingNoSizeDoesNotDivideByZero)
{
    const DiskDisplayFigures none = diskDisplayFigures(0, 0);
    EXPECT_EQ(none.freeWidth, 0);
    EXPECT_EQ(none.freeLeft, 375);
    EXPECT_EQ(none.usedWidth, 220);
    EXPECT_EQ(none.sizeText, QStringLiteral("0 Kb -"));
    EXPECT_EQ(diskDisplayFigures(0, 50).freeWidth, 0);
    EXPECT_EQ(diskDisplayFigures(10, 50).freeWidth, 220);
}

TEST(PathText, LeadingTildeIsTheHomeFolder)
{
    const QString home = QStringLiteral("/home/ann");
    const std::pair<const char *, const char *> cases[] = {
        {"~", "/home/ann"}, {"~/", "/home/ann/"}, {"~/Work/a b", "/home/ann/Work/a b"},
        {"~ann", "~ann"},   {"/tmp/~", "/tmp/~"}, {"", ""},
        {"./~", "./~"},
    };
    for (const auto &[typed, path] : cases)
        EXPECT_EQ(expandHome(QString::fromUtf8(typed), home), QString::fromUtf8(path)) << typed;
}

TEST(PathText, TrailingSeparatorExceptForRoots)
{
    EXPECT_EQ(pathBoxText(QStringLiteral("/home/ann/Work")), QStringLiteral("/home/ann/Work/"));
    EXPECT_EQ(pathBoxText(QStringLiteral("/")), QStringLiteral("/"));
    EXPECT_EQ(pathBoxText(computerFolderPath()), QStringLiteral("computer:///"));
    EXPECT_EQ(pathBoxText(QStringLiteral("/tmp/")), QStringLiteral("/tmp/"));
}

TEST(PathText, HistoryLookupIgnoresLetterCase)
{
    const QStringList lines = {QStringLiteral("/home/Ann"), QStringLiteral("/"), QStringLiteral("computer:///")};
    EXPECT_EQ(findHistoryLine(lines, QStringLiteral("/HOME/ann")), 0);
    EXPECT_EQ(findHistoryLine(lines, QStringLiteral("computer:///")), 2);
    EXPECT_EQ(findHistoryLine(lines, QStringLiteral("/home")), -1);
}

TEST(SortOrder, ColumnsChooseKeysAndMessages)
{
    struct Case
    {
        int column;
        SortKey key;
        const char *message;
    };
    const Case cases[] = {{0, SortKey::Name, "По имени"},
                          {1, SortKey::Size, "По размеру"},
                          {2, SortKey::Date, "По дате"},
                          {3, SortKey::Type, "По типу"}};
    for (const Case &c : cases) {
        SortKey key = SortKey::Name;
        ASSERT_TRUE(sortKeyForColumn(c.column, key));
        EXPECT_EQ(key, c.key);
        EXPECT_EQ(int(key), c.column == 2 ? 3 : c.column == 3 ? 2 : c.column);
        EXPECT_EQ(sortMessage(c.column), QString::fromUtf8(c.message));
    }
    SortKey key = SortKey::Size;
    EXPECT_FALSE(sortKeyForColumn(4, key));
    EXPECT_EQ(key, SortKey::Size);
}

TEST(SortOrder, MarkerReplacesTheLastTwoCharacters)
{
    EXPECT_EQ(withSortMarker(QStringLiteral("Name   "), true), QStringLiteral("Name  v"));
    EXPECT_EQ(withSortMarker(QStringLiteral("Name  v"), false), QStringLiteral("Name   "));
    EXPECT_EQ(withSortMarker(QStringLiteral("Size  "), true), QStringLiteral("Size v"));
}

namespace {
int search(const QStringList &names, const QString &text, int start, bool wrap)
{
    return prefixSearch(
        int(names.size()), [&names](int row) { return names.at(row); }, text, start, wrap);
}
} // namespace

TEST(PrefixSearch, Cases)
{
    const QStringList names = {QStringLiteral("Abc"), QStringLiteral("beta"), QStringLiteral("aBx"),
                               QStringLiteral("Дом"), QStringLiteral("ab"),   QStringLiteral("zeta")};
    struct Case
    {
        const char *text;
        int start;
        bool wrap;
        int expected;
    };
    const Case cases[] = {
        {"ab", 0, true, 0},  {"AB", 1, true, 2},   {"aB", 3, true, 4},    {"ab", 5, true, 0},    {"ab", 5, false, -1},
        {"ab", 99, true, 0}, {"дом", 0, true, -1}, {"Дом", 0, true, 3},   {"zeta", 0, false, 5}, // the last entry
        {"q", 2, true, -1},  {"", 0, true, -1},    {"abcd", 0, true, -1},
    };
    for (const Case &c : cases)
        EXPECT_EQ(search(names, QString::fromUtf8(c.text), c.start, c.wrap), c.expected)
            << c.text << " from " << c.start;
}

TEST(PrefixSearch, OneFullPassWhenNothingMatches)
{
    int calls = 0;
    const auto nameOf = [&calls](int) {
        ++calls;
        return QStringLiteral("x");
    };
    for (int start : {0, 3, 9, 50}) {
        calls = 0;
        EXPECT_EQ(prefixSearch(10, nameOf, QStringLiteral("y"), start, true), -1);
        EXPECT_EQ(calls, 10);
    }
}

namespace {
// Names a glob pattern matches, and near misses: "*" and "?" filled in with
// a few texts, a class by its first member, in the pattern's case and others.
QStringList namesFor(const QString &pattern)
{
    QStringList names;
    for (const QString &star : {QString(), QStringLiteral("x"), QStringLiteral("ab.c"), QStringLiteral("Дом")}) {
        QString name;
        for (qsizetype i = 0; i < pattern.size(); ++i) {
            const QChar c = pattern.at(i);
            if (c == u'*')
                name += star;
            else if (c == u'?')
                name += u'q';
            else if (c == u'[') {
                const qsizetype close = pattern.indexOf(u']', i + 2);
                name += pattern.at(i + 1) == u'!' ? u'~' : pattern.at(i + 1);
                i = close < 0 ? pattern.size() : close;
            } else
                name += c;
        }
        names << name << name.toUpper() << name.toLower() << QStringLiteral("p") + name << name + QStringLiteral("s");
    }
    return names;
}
} // namespace

// Names grouped by the cache get the type their own lookup gives, whatever
// name of the group was looked up first.
TEST(FileTypeCache, GivesTheTypeOfEachNameItself)
{
    QStringList names = {"a.tar.gz",   "b.gz",      "x.tar.gz", "Makefile", "makefile.am", "GNUmakefile", "README",
                         "readme.txt", "notes.txt", "x~",       "a.c~",     "file,v",      "123.vdr",     "12.vdr",
                         "a.anim5",    "libx.so.1", "libx.so",  "x.C",      "x.c",         "noext",       "other",
                         ".hidden",    ".bashrc",   "a.",       ".",        "..a",         "имя.txt",     "ИМЯ.TXT",
                         "core",       "a core",    "x.JPG",    "x.jpg",    "a.b.c.d.pdf"};
    // Names that are not valid UTF-8 arrive as their lossless text.
    names << quil::fromNative(QByteArray("bad\xff\xfe.txt")) << quil::fromNative(QByteArray("\xc3\x28.tar.gz"));
    for (const QMimeType &type : QMimeDatabase().allMimeTypes())
        for (const QString &pattern : type.globPatterns())
            names << namesFor(pattern);
    quil::FileTypeCache cache;
    // Twice over, in opposite orders, so that groups are met from both ends.
    for (int pass = 0; pass < 2; ++pass) {
        for (const QString &name : names)
            ASSERT_EQ(cache.typeText(name), ShellNamespace::fileTypeText(name)) << name.toStdString();
        std::reverse(names.begin(), names.end());
    }
}

TEST(FileTypeCache, GroupsNamesByTheirTextAroundTheDots)
{
    QString a, b;
    ASSERT_TRUE(quil::FileTypeCache::groupOf(QStringLiteral("entry 17 item3.txt"), a));
    ASSERT_TRUE(quil::FileTypeCache::groupOf(QStringLiteral("photo 99 item3.txt"), b));
    EXPECT_EQ(a, b);
    ASSERT_TRUE(quil::FileTypeCache::groupOf(QStringLiteral("photo 99 item3.tar.gz"), b));
    EXPECT_NE(a, b);
    QString group;
    EXPECT_FALSE(quil::FileTypeCache::groupOf(QStringLiteral("Makefile.in"), group));
    EXPECT_FALSE(quil::FileTypeCache::groupOf(QStringLiteral("README.md"), group));
    // ".txt" is a hidden file without extension, "a.txt" a text.
    QString hidden;
    ASSERT_TRUE(quil::FileTypeCache::groupOf(QStringLiteral(".txt"), hidden));
    ASSERT_TRUE(quil::FileTypeCache::groupOf(QStringLiteral("a.txt"), group));
    EXPECT_NE(hidden, group);
}
