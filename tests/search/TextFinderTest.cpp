#include "search/TextFinder.h"
#include "platform/CodePages.h"
#include "support/TempTree.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

using quil::FindTextInFile;
using quil::TextFinder;

namespace {

QByteArray cp1251(const char *utf8)
{
    return quil::codepage::toCp1251(QString::fromUtf8(utf8));
}

QByteArray cp866(const char *utf8)
{
    return quil::codepage::toCp866(QString::fromUtf8(utf8));
}

// Filler that holds neither the needles nor their first bytes.
QByteArray filler(qsizetype size)
{
    QByteArray bytes(size, Qt::Uninitialized);
    for (qsizetype i = 0; i < size; ++i)
        bytes[i] = "qwrtyuiopsdfghjklzxcvbm \n"[i % 25];
    return bytes;
}

QByteArray placed(qsizetype size, qsizetype at, const QByteArray &text)
{
    QByteArray bytes = filler(size);
    bytes.replace(at, text.size(), text);
    return bytes;
}

TEST(TextFinder, CodePagesAndCase)
{
    struct Case
    {
        QByteArray content;
        const char *text;
        bool dos;
        bool found;
    } cases[] = {
        {"say привет!", "ПРИВЕТ", false, true},
        {"say ПрИвЕт!", "привет", false, true},
        {"say привет!", "ПРИВЕТ", true, false},
        {cp1251("say пРиВеТ!"), "Привет", false, true},
        {cp1251("say привет!"), "привет", true, false},
        {cp866("say ПРИВЕТ!"), "привет", true, true},
        {cp866("say пРиВеТ!"), "ПрИвЕт", true, true},
        {cp866("say привет!"), "привет", false, false},
        {cp1251("ёлка"), "ЁЛКА", false, true},
        {cp866("ЁЛКА"), "ёлка", true, true},
        {"ЁлКа", "ёЛкА", false, true},
        {"say Hello", "hELLO", false, true},
        {"say Hello", "hELLO", true, true},
        {"say Hello", "help", false, false},
        {"aaab", "aab", false, true},
        // Windows-1251 cannot hold these: UTF-8 alone, and no "?" stands in.
        {"日本語のテキスト", "日本語", false, true},
        {"??? ???", "日本", false, false},
        {"??? ???", "日本", true, false},
        // Case variants of different lengths in UTF-8.
        {"Straße", "ſtraße", false, true},
        {"a fIle", "FıLE", false, true},
        {"\xc7\x85", "ǅ", false, true}, // a title-case letter finds itself
        {"ǆ", "ǅ", false, true},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(std::string(c.text) + (c.dos ? " dos" : ""));
        TextFinder finder(QString::fromUtf8(c.text), c.dos);
        EXPECT_EQ(finder.occursIn(c.content), c.found);
        // Every start offset, so the vector loop and the tail both see it.
        if (c.found) {
            for (qsizetype at = 0; at < 70; at += 3) {
                const QByteArray padded = filler(at) + c.content + filler(70 - at);
                ASSERT_TRUE(finder.occursIn(padded)) << at;
                ASSERT_TRUE(finder.occursIn(QByteArrayView(padded).first(at + c.content.size()))) << at;
            }
        }
    }
}

TEST(TextFinder, FilePositions)
{
    TempTree tree;
    const QByteArray needle("Needle");
    struct Case
    {
        const char *what;
        qsizetype size;
        qsizetype at; // -1: not in the file
        bool found;
    } cases[] = {
        {"at byte 0", 20000, 0, true},
        {"across the first 8192-byte block", 20000, 8192 - 3, true},
        {"across a 128 KiB chunk", 300000, 128 * 1024 - 2, true},
        {"in the last bytes", 300000, 300000 - 6, true},
        {"running past the end", 300000, 300000 - 5, false},
        {"nowhere", 300000, -1, false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        QByteArray content = filler(c.size);
        if (c.at >= 0)
            content.replace(c.at, qMin(needle.size(), c.size - c.at), needle.left(c.size - c.at));
        content.truncate(c.size);
        const QString path = tree.file(QByteArray(c.what).replace(' ', '_'), content);
        EXPECT_EQ(FindTextInFile(path, QStringLiteral("nEEDLE"), 0, false), c.found);
    }
    const QString first = tree.path("at_byte_0");
    EXPECT_FALSE(FindTextInFile(first, QStringLiteral("needle"), 1, false)); // the start offset counts
}

TEST(TextFinder, AnsiToDos)
{
    // Ends of the ranges, yo in both cases, and bytes that stay.
    const QByteArray ansi("\xC0\xDF\xE0\xEF\xF0\xFF\xA8\xB8\xA7\xB9\xBF"
                          "Az09",
                          15);
    const QByteArray dos("\x80\x9F\xA0\xAF\xE0\xEF\xF0\xF1\xA7\xB9\xBF"
                         "Az09",
                         15);
    EXPECT_EQ(quil::AnsiToDos(ansi), dos);
    EXPECT_EQ(quil::AnsiToDos(cp1251("Ёжик в тумане")), cp866("Ёжик в тумане"));
}

TEST(TextFinder, NothingToFind)
{
    TempTree tree;
    const QString empty = tree.file("empty");
    const QString full = tree.file("full", "needle");
    const QString folder = tree.folder("needle");
    const QString fifo = tree.fifo("pipe");
    EXPECT_FALSE(FindTextInFile(empty, QStringLiteral("needle"), 0, false));
    EXPECT_FALSE(FindTextInFile(full, QString(), 0, false));
    EXPECT_FALSE(FindTextInFile(QString(), QStringLiteral("needle"), 0, false));
    EXPECT_FALSE(FindTextInFile(tree.path("missing"), QStringLiteral("needle"), 0, false));
    EXPECT_FALSE(FindTextInFile(folder, QStringLiteral("needle"), 0, false));
    EXPECT_FALSE(FindTextInFile(fifo, QStringLiteral("needle"), 0, false)); // returns at once, nothing opened
    EXPECT_TRUE(FindTextInFile(full, QStringLiteral("needle"), 0, false));
}

TEST(TextFinder, TextsOfAnyLength)
{
    TempTree tree;
    // Longer than the old 1000-byte limit, than one block and than one chunk.
    for (qsizetype length : {1000, 1001, 9000, 200000}) {
        SCOPED_TRACE(length);
        QByteArray text(length, Qt::Uninitialized);
        for (qsizetype i = 0; i < length; ++i)
            text[i] = "ABCDEFGHIJ0123456789"[(i * 7 + i / 20) % 20];
        const QByteArray content = placed(3 * 128 * 1024 + length, 128 * 1024 - length / 2, text);
        const QString path = tree.file("long" + QByteArray::number(length), content);
        EXPECT_TRUE(FindTextInFile(path, QString::fromLatin1(text.toLower()), 0, false));
        text[length / 2] = '#';
        EXPECT_FALSE(FindTextInFile(path, QString::fromLatin1(text), 0, false));
    }
}

TEST(TextFinder, FilesOfFourGigabytesAndMore)
{
    TempTree tree;
    const qint64 size = (qint64(1) << 32) + 4096;
    const QString path = tree.sparseFile("huge", size);
    const int fd = ::open(path.toUtf8().constData(), O_WRONLY);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::pwrite(fd, "needle", 6, (qint64(1) << 32) - 3), 6); // across the 4 GiB mark
    ASSERT_EQ(::pwrite(fd, "spike", 5, size - 5), 5);               // the last bytes
    ::close(fd);
    // Read from near the end only: a size cut to 32 bits would end the read at once.
    const qint64 start = (qint64(1) << 32) - 3 * 8192;
    EXPECT_TRUE(FindTextInFile(path, QStringLiteral("NEEDLE"), start, false));
    EXPECT_TRUE(FindTextInFile(path, QStringLiteral("Spike"), start, false));
    EXPECT_FALSE(FindTextInFile(path, QStringLiteral("needle"), (qint64(1) << 32), false));
}

TEST(TextFinder, MessagesEvery101Blocks)
{
    TempTree tree;
    const qint64 size = 10 * 1024 * 1024;
    const QString path = tree.file("ten", placed(size, size - 6, "needle"));
    int pending = 0;
    TextFinder finder(QStringLiteral("needle"), false);
    finder.setPendingMessages([&] { ++pending; });
    EXPECT_TRUE(finder.matchesFile(path));
    EXPECT_EQ(pending, int(size / (101 * 8192)));
}

} // namespace
