#include "search/FolderListRows.h"
#include "support/TempTree.h"

#include <gtest/gtest.h>

using quil::FolderListRow;

namespace {

struct Row
{
    QString caption;
    int depth;
    bool open;
};

std::vector<Row> shape(const QList<FolderListRow> &rows)
{
    std::vector<Row> result;
    for (const FolderListRow &row : rows)
        result.push_back({row.caption, row.depth, row.open});
    return result;
}

bool operator==(const Row &a, const Row &b)
{
    return a.caption == b.caption && a.depth == b.depth && a.open == b.open;
}

} // namespace

// The chooser's rows: the way down from the volume root to the folder, then
// its subfolders one level deeper, sorted, hidden ones included, files left out.
TEST(FolderListRows, AncestorsThenSortedSubfolders)
{
    TempTree tree;
    tree.folder("top");
    tree.folder("top/b");
    tree.folder("top/A");
    tree.folder("top/.hidden");
    tree.file("top/file");
    const QString parent = tree.root().section(QLatin1Char('/'), 0, -2);
    const QString rootName = tree.root().section(QLatin1Char('/'), -1);

    // The volume root given as the tree's parent folder, with its trailing "/".
    const QList<FolderListRow> rows = quil::folderListRows(parent + "/", tree.path("top/"));
    const std::vector<Row> expected{{parent, 0, true},     {rootName, 1, true}, {"top", 2, true},
                                    {".hidden", 3, false}, {"A", 3, false},     {"b", 3, false}};
    EXPECT_TRUE(shape(rows) == expected);
    EXPECT_EQ(rows.at(2).path, tree.path("top"));
    EXPECT_EQ(rows.at(4).path, tree.path("top/A"));

    // A folder outside the volume given starts from "/".
    const QList<FolderListRow> outside = quil::folderListRows(tree.path("top/b"), tree.path("top/A"));
    ASSERT_FALSE(outside.isEmpty());
    EXPECT_EQ(outside.first().path, QStringLiteral("/"));
    EXPECT_EQ(outside.last().path, tree.path("top/A"));
    EXPECT_TRUE(outside.last().open);

    // A folder that cannot be read keeps its way down and has no subfolders.
    const QList<FolderListRow> gone = quil::folderListRows(QStringLiteral("/"), tree.path("gone"));
    EXPECT_EQ(gone.last().caption, QStringLiteral("gone"));
    EXPECT_TRUE(gone.last().open);
}
