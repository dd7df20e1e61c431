#include "listing/FavouriteFoldersFile.h"
#include "listing/ListOptionsFile.h"
#include "listing/PathHistoryFile.h"
#include "platform/NativePath.h"
#include "platform/OsError.h"
#include "support/TempTree.h"

#include <QFile>

#include <gtest/gtest.h>

namespace {

QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

TEST(PathHistoryFile, DamagedLinesAndRepeatsAreSkipped)
{
    TempTree tree;
    const QString path = quil::pathHistoryPath(quil::FolderPath(tree.root()));
    // The NUL is part of the content: sizeof counts it.
    static const char content[] = "/home/ann/Work\r\n"
                                  "relative/path\r\n"
                                  "\r\n"
                                  "/home/ann/Work/\r\n" // not as a listing names a folder
                                  "/home//ann\r\n"
                                  "/home/./ann\r\n"
                                  "/home/ann/..\r\n"
                                  "/nul\0inside\r\n"
                                  "computer:///\n"     // LF alone ends a line too
                                  "/HOME/ANN/WORK\r\n" // a repeat, letter case ignored
                                  "/\r\n"
                                  "/\xff\xfe\r\n";
    tree.file("quil.hst", QByteArray(content, sizeof content - 1));
    const QStringList expected{QStringLiteral("/home/ann/Work"), QStringLiteral("computer:///"), QStringLiteral("/"),
                               quil::fromNative("/\xff\xfe")};
    EXPECT_EQ(quil::readPathHistory(path), expected);
}

TEST(PathHistoryFile, KeepsTheNewestFiftyByteForByte)
{
    TempTree tree;
    const QString path = quil::pathHistoryPath(quil::FolderPath(tree.root()));
    QStringList lines;
    for (int i = 0; i < 60; ++i)
        lines.append(QStringLiteral("/folder%1").arg(i));
    // A name that is not UTF-8 comes back as the same bytes.
    lines.prepend(quil::fromNative("/\xc0\xaf name"));
    quil::writePathHistory(path, lines);
    const QStringList read = quil::readPathHistory(path);
    ASSERT_EQ(read.size(), quil::kKeptHistoryLines);
    EXPECT_EQ(read, lines.mid(0, quil::kKeptHistoryLines));
    EXPECT_TRUE(fileBytes(path).startsWith("/\xc0\xaf name\r\n/folder0\r\n"));

    // Missing or unreadable: an empty history, no error.
    EXPECT_TRUE(quil::readPathHistory(tree.path("missing.hst")).isEmpty());
    tree.folder("folder.hst");
    EXPECT_TRUE(quil::readPathHistory(tree.path("folder.hst")).isEmpty());
    // A write that fails raises.
    EXPECT_THROW(quil::writePathHistory(tree.path("no/such/quil.hst"), lines), quil::QuilError);
}

TEST(FavouriteFoldersFile, DamagedLinesSkippedNamesKeptByteForByte)
{
    TempTree tree;
    const QString path = quil::favouriteFoldersPath(quil::FolderPath(tree.root()));
    static const char content[] = "/home/ann\r\n"
                                  "relative\r\n"
                                  "/home/ann/\r\n"
                                  "/home/../etc\r\n"
                                  "/nul\0inside\r\n"
                                  "computer:///\r\n"
                                  "/home/ann\r\n" // a repeat
                                  "/\xff\xfe\n";
    tree.file("quil.fav", QByteArray(content, sizeof content - 1));
    const QStringList expected{QStringLiteral("/home/ann"), quil::fromNative("/\xff\xfe")};
    EXPECT_EQ(quil::readFavouriteFolders(path), expected);
    quil::writeFavouriteFolders(path, expected);
    EXPECT_EQ(fileBytes(path), "/home/ann\r\n/\xff\xfe\r\n");
    EXPECT_TRUE(quil::readFavouriteFolders(tree.path("missing.fav")).isEmpty());
    EXPECT_THROW(quil::writeFavouriteFolders(tree.path("no/such/quil.fav"), expected), quil::QuilError);
}

TEST(ListOptionsFile, HiddenChoiceAndDamagedLines)
{
    TempTree tree;
    const QString path = quil::listOptionsPath(quil::FolderPath(tree.root()));
    EXPECT_TRUE(quil::readListOptions(path).hiddenShown);
    quil::writeListOptions(path, {false});
    EXPECT_FALSE(quil::readListOptions(path).hiddenShown);
    quil::writeListOptions(path, {true});
    EXPECT_TRUE(quil::readListOptions(path).hiddenShown);

    const struct
    {
        const char *content;
        bool shown;
    } cases[] = {
        {"hidden=0\r\n", false}, {"other=1\r\nhidden = 0\r\n", false},
        {"hidden=no\r\n", true}, {"hidden\r\n", true},
        {"=0\r\n", true},        {"\xff\xfe\r\n", true},
    };
    for (const auto &c : cases) {
        tree.file("quil.opt", c.content);
        EXPECT_EQ(quil::readListOptions(path).hiddenShown, c.shown) << c.content;
    }
}

} // namespace
