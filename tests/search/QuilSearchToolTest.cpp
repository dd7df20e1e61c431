#include "support/TempTree.h"

#include <QProcess>
#include <gtest/gtest.h>

// The command-line tool runs the engine and prints what it found.
TEST(QuilSearchTool, PrintsPathsThenTheCounts)
{
    TempTree tree;
    tree.folder("sub");
    tree.file("a.txt", "needle");
    tree.file("b.doc", "needle");
    tree.file("sub/c.txt", QStringLiteral("НЕЕДЛЕ иголка").toUtf8());
    tree.file(QByteArray("sub/d\xff.txt"), "needle");

    struct Case
    {
        QStringList arguments;
        QByteArrayList lines;
        int exitCode;
    } cases[] = {
        {{tree.root(), "--ext", "txt"}, {tree.rootBytes() + "/a.txt", "found=1 folders=1"}, 0},
        {{tree.root() + "/", "--subfolders", "--ext", "txt", "--text", "NEEDLE"},
         {tree.rootBytes() + "/a.txt", tree.rootBytes() + "/sub/d\xff.txt", "found=2 folders=2"},
         0},
        {{tree.root(), "--subfolders", "--name", "*", "--text", "ИГОЛКА"},
         {tree.rootBytes() + "/sub/c.txt", "found=1 folders=2"},
         0},
        {{tree.root(), "--name", "b", "--text", "needle", "--dos"},
         {tree.rootBytes() + "/b.doc", "found=1 folders=1"},
         0},
        {{tree.path("missing")}, {"found=0 folders=0"}, 1},
        {{}, {}, 2},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.arguments.join(' ').toStdString());
        QProcess tool;
        tool.start(QStringLiteral(QUIL_SEARCH_TOOL), c.arguments);
        ASSERT_TRUE(tool.waitForFinished(60000));
        QByteArrayList lines = tool.readAllStandardOutput().split('\n');
        if (!lines.isEmpty() && lines.last().isEmpty())
            lines.removeLast();
        // The order within one folder is the file system's.
        if (lines.size() > 2)
            std::sort(lines.begin(), lines.end() - 1);
        EXPECT_EQ(lines, c.lines);
        EXPECT_EQ(tool.exitCode(), c.exitCode);
    }
}

// With -0 every path ends with a NUL byte: a name holding a line end cannot
// be taken for two.
TEST(QuilSearchTool, NulSeparatedOutputKeepsNamesWithLineEndsWhole)
{
    TempTree tree;
    tree.file(QByteArray("two\nlines.txt"), "x");
    tree.file("plain.txt", "x");
    QProcess tool;
    tool.start(QStringLiteral(QUIL_SEARCH_TOOL), {tree.root(), "--ext", "txt", "-0"});
    ASSERT_TRUE(tool.waitForFinished(60000));
    QByteArrayList items = tool.readAllStandardOutput().split('\0');
    ASSERT_EQ(items.size(), 3);
    EXPECT_EQ(items.takeLast(), "found=2 folders=1\n");
    std::sort(items.begin(), items.end());
    EXPECT_EQ(items, (QByteArrayList{tree.rootBytes() + "/plain.txt", tree.rootBytes() + "/two\nlines.txt"}));
    EXPECT_EQ(tool.exitCode(), 0);
}
