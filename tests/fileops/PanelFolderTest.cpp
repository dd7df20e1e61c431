#include "fileops/PanelFolder.h"
#include "support/TempTree.h"

#include <gtest/gtest.h>

#include <QFileInfo>

namespace {

QStringList namesOf(const QStringList &paths)
{
    QStringList names;
    for (const QString &path : paths)
        names.append(QFileInfo(path).fileName());
    return names;
}

} // namespace

TEST(PanelFolder, FoldersThenFilesByNameWithoutCaseHiddenIncluded)
{
    TempTree tree;
    tree.folder("beta");
    tree.folder(".hidden");
    tree.folder("Alpha");
    tree.file("zeta.txt");
    tree.file("B.txt");
    tree.file(".profile");
    tree.file("a.txt");
    tree.fifo("pipe");
    tree.symlink(tree.path("beta").toUtf8(), "link-to-beta");

    const quil::PanelFolderListing listing = quil::readPanelFolder(quil::FolderPath(tree.root()));

    EXPECT_EQ(namesOf(listing.folders), (QStringList{".hidden", "Alpha", "beta", "link-to-beta"}));
    EXPECT_EQ(namesOf(listing.files), (QStringList{".profile", "a.txt", "B.txt", "pipe", "zeta.txt"}));
    EXPECT_EQ(listing.folders.first(), tree.root() + QStringLiteral("/.hidden"));
}

// A large folder's keys are made on two threads: the order is the same as
// one order's keys give, and no name is lost.
TEST(PanelFolder, LargeFolderSortsAsOneOrderDoes)
{
    TempTree tree;
    constexpr int kFiles = 20100;
    for (int i = 0; i < kFiles; ++i)
        tree.file(QStringLiteral("%1-%2.txt").arg(i % 2 ? "File" : "file").arg(i * 7919 % kFiles).toUtf8());
    const QStringList files = quil::readPanelFolder(quil::FolderPath(tree.root())).files;
    ASSERT_EQ(files.size(), kFiles);
    const quil::PanelNameOrder order;
    for (qsizetype i = 1; i < files.size(); ++i)
        ASSERT_LE(order.key(files[i - 1]).compare(order.key(files[i])), 0) << files[i].toStdString();
}

TEST(PanelFolder, UnreadableFolderGivesEmptyLists)
{
    const quil::PanelFolderListing listing = quil::readPanelFolder(quil::FolderPath(QStringLiteral("computer:///")));
    EXPECT_TRUE(listing.folders.isEmpty());
    EXPECT_TRUE(listing.files.isEmpty());
}

struct PathCase
{
    const char *path;
    const char *last;
};

class PathParts : public testing::TestWithParam<PathCase>
{
};

TEST_P(PathParts, LastFolderName)
{
    const PathCase &c = GetParam();
    EXPECT_EQ(quil::LastFolderName(QString::fromUtf8(c.path)), QString::fromUtf8(c.last));
}

INSTANTIATE_TEST_SUITE_P(Table, PathParts,
                         testing::Values(PathCase{"/", "/"}, PathCase{"/a/", "a"}, PathCase{"/a/docs/", "docs"},
                                         PathCase{"/a/docs", "docs"}, PathCase{"/a/docs//", ""}, PathCase{"name", ""}));

TEST(PanelFolder, RefusedNewNames)
{
    for (const QString &name : {QString(), QStringLiteral("."), QStringLiteral(".."), QStringLiteral("a/b"),
                                QStringLiteral("/"), QStringLiteral("a") + QChar(0) + QStringLiteral("b")})
        EXPECT_TRUE(quil::isRefusedNewName(name)) << name.toStdString();
    for (const QString &name :
         {QStringLiteral("..."), QStringLiteral(".a"), QStringLiteral("a b"), QStringLiteral("Новая - ")})
        EXPECT_FALSE(quil::isRefusedNewName(name)) << name.toStdString();
}

TEST(PanelFolder, CreatedFolderDropsTrailingBlanksAndDots)
{
    EXPECT_EQ(quil::createdFolderName(QStringLiteral("Новая - ")), QStringLiteral("Новая -"));
    EXPECT_EQ(quil::createdFolderName(QStringLiteral("a. .")), QStringLiteral("a"));
    EXPECT_EQ(quil::createdFolderName(QStringLiteral("...")), QString());
    EXPECT_EQ(quil::createdFolderName(QStringLiteral(".a")), QStringLiteral(".a"));
}

TEST(PanelFolder, CreateOneFolderOneLevelOnly)
{
    TempTree tree;
    const quil::FolderPath root(tree.root());
    EXPECT_TRUE(quil::createOneFolder(root, QStringLiteral("new")));
    EXPECT_TRUE(QFileInfo(root.filePath(u"new")).isDir());
    EXPECT_FALSE(quil::createOneFolder(root, QStringLiteral("new")));
    EXPECT_FALSE(quil::createOneFolder(root.child(u"missing"), QStringLiteral("x")));
    EXPECT_FALSE(QFileInfo::exists(root.filePath(u"missing")));
    EXPECT_FALSE(quil::createOneFolder(root, QStringLiteral("a/b")));
    EXPECT_FALSE(quil::createOneFolder(quil::FolderPath(QStringLiteral("computer:///")), QStringLiteral("x")));
}
