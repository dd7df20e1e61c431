#include "viewers/ExtensionTable.h"

#include "platform/OsError.h"
#include "support/TempTree.h"

#include <QFile>
#include <gtest/gtest.h>

using quil::extensionOf;
using quil::ExtensionTable;

TEST(ExtensionTable, LookupIsTrimmedCaseSensitiveFirstRowWins)
{
    ExtensionTable table;
    table.append({QStringLiteral(".txt"), QStringLiteral("/bin/A")});
    table.append({QStringLiteral(".TXT"), QStringLiteral("/bin/B")});
    table.append({QStringLiteral(" .md \t"), QStringLiteral("/bin/C")});
    table.append({QStringLiteral(".md"), QStringLiteral("/bin/D")});
    table.append({QStringLiteral(".log"), QString()});
    table.append({QStringLiteral(".log"), QStringLiteral("/bin/E")});
    const std::pair<const char *, const char *> cases[] = {
        {"a.txt", "/bin/A"}, {"b.TXT", "/bin/B"}, {"c.Txt", ""},    {"d.md", "/bin/C"},
        {"e.log", ""},       {"noext", ""},       {"x.tar.gz", ""},
    };
    for (const auto &[name, program] : cases)
        EXPECT_EQ(table.programFor(extensionOf(QString::fromUtf8(name))), QString::fromUtf8(program)) << name;
}

TEST(ExtensionTable, AddPutsTheDotInFront)
{
    ExtensionTable table;
    table.add(QStringLiteral("txt"), QStringLiteral("/p"));
    table.add(QString(), QStringLiteral("/q"));
    table.add(QStringLiteral(".md"), QStringLiteral("/r"));
    EXPECT_EQ(table.rows()[0].extension, QStringLiteral(".txt"));
    EXPECT_EQ(table.rows()[1].extension, QStringLiteral("."));
    EXPECT_EQ(table.rows()[2].extension, QStringLiteral(".md"));
}

TEST(ExtensionTable, FileRoundTripAndOddLineCount)
{
    TempTree tree;
    const QString path = tree.path("quil.ext");
    ExtensionTable table;
    EXPECT_FALSE(table.load(path)); // missing is no error
    table.add(QStringLiteral(".txt"), QStringLiteral("/usr/bin/программа"));
    table.add(QStringLiteral(".md"), QString());
    table.save(path);
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QStringLiteral(".txt\r\n/usr/bin/программа\r\n.md\r\n\r\n").toUtf8());

    ExtensionTable loaded;
    ASSERT_TRUE(loaded.load(path));
    EXPECT_EQ(loaded.rows(), table.rows());

    tree.file("three.ext", ".a\r\n/bin/a\r\n.b\r\n");
    ASSERT_TRUE(loaded.load(tree.path("three.ext")));
    ASSERT_EQ(loaded.size(), 2);
    EXPECT_EQ(loaded.rows()[1], (ExtensionTable::Row{QStringLiteral(".b"), QString()}));
    EXPECT_EQ(loaded.programFor(QStringLiteral(".b")), QString());

    ExtensionTable empty;
    empty.save(path);
    EXPECT_EQ(QFile(path).size(), 0);
}

TEST(ExtensionTable, UnreadableFileRaisesAndKeepsRows)
{
    TempTree tree;
    tree.folder("quil.ext"); // a folder where the file should be: reading fails
    ExtensionTable table;
    table.add(QStringLiteral(".txt"), QStringLiteral("/bin/a"));
    EXPECT_THROW(table.load(tree.path("quil.ext")), quil::QuilError);
    EXPECT_EQ(table.size(), 1);
}

TEST(ExtensionTable, GarbageAndHugeLinesLoadWithoutHarm)
{
    TempTree tree;
    // Every byte value, NULs and bytes that are not UTF-8 included, and
    // stray CRs without their LF.
    QByteArray garbage;
    for (int round = 0; round < 4; ++round)
        for (int byte = 0; byte < 256; ++byte)
            garbage.append(char(byte * 7 + round));
    tree.file("garbage.ext", garbage);
    ExtensionTable table;
    ASSERT_TRUE(table.load(tree.path("garbage.ext")));
    EXPECT_GT(table.size(), 0);
    EXPECT_EQ(table.programFor(QStringLiteral(".txt")), QString());

    // Long lines, while the whole file stays below the settings-file limit of 1 MiB.
    const QByteArray huge(400 * 1024, 'x');
    tree.file("huge.ext", ".txt\r\n" + huge + "\r\n" + huge);
    ASSERT_TRUE(table.load(tree.path("huge.ext")));
    ASSERT_EQ(table.size(), 2);
    EXPECT_EQ(table.rows()[0].program.size(), huge.size());
    EXPECT_EQ(table.rows()[1].extension.size(), huge.size());
    EXPECT_EQ(table.programFor(QStringLiteral(".txt")).size(), huge.size());
}
