#include "platform/FolderPath.h"

#include <gtest/gtest.h>

using quil::FolderPath;

namespace {

struct FolderCase
{
    const char *typed;
    const char *path;
    const char *withSlash;
    const char *parent;
    const char *lastName;
    bool root;
};

class FolderPathParts : public testing::TestWithParam<FolderCase>
{
};

} // namespace

TEST_P(FolderPathParts, OneSpellingAndItsParts)
{
    const FolderCase &c = GetParam();
    const FolderPath folder(QString::fromUtf8(c.typed));
    EXPECT_EQ(folder.path(), QString::fromUtf8(c.path));
    EXPECT_EQ(folder.withTrailingSlash(), QString::fromUtf8(c.withSlash));
    EXPECT_EQ(folder.parent().path(), QString::fromUtf8(c.parent));
    EXPECT_EQ(folder.lastName(), QString::fromUtf8(c.lastName));
    EXPECT_EQ(folder.isRoot(), c.root);
}

INSTANTIATE_TEST_SUITE_P(
    Table, FolderPathParts,
    testing::Values(FolderCase{"/", "/", "/", "/", "", true}, FolderCase{"///", "/", "/", "/", "", true},
                    FolderCase{"/home", "/home", "/home/", "/", "home", false},
                    FolderCase{"/home/ann/", "/home/ann", "/home/ann/", "/home", "ann", false},
                    FolderCase{"/home/ann//", "/home/ann", "/home/ann/", "/home", "ann", false},
                    FolderCase{"/home/Анна", "/home/Анна", "/home/Анна/", "/home", "Анна", false},
                    FolderCase{"computer:///", "computer:///", "computer:///", "computer:///", "", true},
                    FolderCase{"computer:///disk/", "computer:///disk", "computer:///disk/", "computer:///", "disk",
                               false},
                    FolderCase{"name", "name", "name/", "", "name", false}, FolderCase{"", "", "", "", "", false}));

TEST(FolderPath, EntriesJoinWithOneSlash)
{
    EXPECT_EQ(FolderPath(QStringLiteral("/")).filePath(u"x"), QStringLiteral("/x"));
    EXPECT_EQ(FolderPath(QStringLiteral("/home/ann/")).filePath(u"x.txt"), QStringLiteral("/home/ann/x.txt"));
    EXPECT_EQ(FolderPath(QStringLiteral("/home/ann")).child(u"docs"), FolderPath(QStringLiteral("/home/ann/docs/")));
    EXPECT_EQ(FolderPath(QStringLiteral("/home/ann/")), FolderPath(QStringLiteral("/home/ann")));
}

TEST(FolderPath, ContainsOnlyWholeNames)
{
    const FolderPath home(QStringLiteral("/home/ann"));
    EXPECT_TRUE(home.contains(home));
    EXPECT_TRUE(home.contains(FolderPath(QStringLiteral("/home/ann/docs/x"))));
    EXPECT_FALSE(home.contains(FolderPath(QStringLiteral("/home/anna"))));
    EXPECT_FALSE(home.contains(FolderPath(QStringLiteral("/home"))));
    EXPECT_TRUE(FolderPath::root().contains(home));
    EXPECT_FALSE(FolderPath().contains(home));
    EXPECT_TRUE(FolderPath(QStringLiteral("computer:///")).contains(FolderPath(QStringLiteral("computer:///disk"))));
}
