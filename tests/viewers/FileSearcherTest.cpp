#include "viewers/FileSearcher.h"
#include "platform/CodePages.h"
#include "platform/OsError.h"
#include "support/TempTree.h"

#include <gtest/gtest.h>

#include <QRandomGenerator>

using quil::FileSearcher;
using quil::ViewerCodePage;
namespace cp = quil::codepage;

namespace {

QByteArray cp1251(const char *utf8)
{
    return cp::toCp1251(QString::fromUtf8(utf8));
}

// The search read the old way: 8192-byte blocks overlapping by the text's
// length, each scanned for both case forms.
qint64 blockRule(const QByteArray &file, const QByteArray &text, qint64 start, ViewerCodePage codePage)
{
    if (text.isEmpty() || file.isEmpty())
        return -1;
    QByteArray lower, upper;
    for (const char c : text) {
        unsigned char lo = cp::ansiLower(static_cast<unsigned char>(c));
        unsigned char up = cp::ansiUpper(static_cast<unsigned char>(c));
        if (codePage == ViewerCodePage::Dos) {
            lo = cp::ansiToDos(lo);
            up = cp::ansiToDos(up);
        }
        lower.append(static_cast<char>(lo));
        upper.append(static_cast<char>(up));
    }
    const qint64 size = file.size();
    const qint64 length = text.size();
    qint64 position = start;
    qint64 previous = start;
    while (position < size) {
        if (position - length > previous)
            position -= length;
        const qint64 block = std::min<qint64>(8192, size - position);
        const qint64 blockStart = position;
        previous = blockStart;
        position += block;
        for (qint64 i = 0; i < block; ++i) {
            qint64 j = 0;
            while (j < length && i + j < block &&
                   (file[blockStart + i + j] == lower[j] || file[blockStart + i + j] == upper[j]))
                ++j;
            if (j == length)
                return blockStart + i;
        }
    }
    return -1;
}

} // namespace

TEST(FindInText, FindsAfterTheCaretAndMovesOn)
{
    const QStringList lines{"xx AB yy Ab", "zz aB"};
    FileSearcher::TextHit hit = FileSearcher::findInText(lines, 0, 1, "ab");
    ASSERT_TRUE(hit.found);
    EXPECT_EQ(hit.line, 0);
    EXPECT_EQ(hit.column, 3);
    EXPECT_EQ(hit.length, 2);
    hit = FileSearcher::findInText(lines, 0, hit.column + hit.length, "ab");
    ASSERT_TRUE(hit.found);
    EXPECT_EQ(hit.column, 9);
    hit = FileSearcher::findInText(lines, 0, 11, "ab");
    ASSERT_TRUE(hit.found);
    EXPECT_EQ(hit.line, 1);
    EXPECT_EQ(hit.column, 3);
    EXPECT_FALSE(FileSearcher::findInText(lines, 1, 5, "ab").found);   // nothing wraps around
    EXPECT_TRUE(FileSearcher::findInText(lines, 0, 0, "aB YY").found); // folded both ways
    EXPECT_FALSE(FileSearcher::findInText(lines, 0, 0, "").found);
    EXPECT_FALSE(FileSearcher::findInText(lines, 7, 0, "ab").found);
}

TEST(FindInText, FoldingTable)
{
    const QStringList lines{QStringLiteral("мир Ёлка"), QStringLiteral("ў Ъ")};
    EXPECT_TRUE(FileSearcher::findInText(lines, 0, 0, QStringLiteral("ёлка")).found);
    EXPECT_TRUE(FileSearcher::findInText(lines, 0, 0, QStringLiteral("МИР")).found);
    EXPECT_TRUE(FileSearcher::findInText(lines, 0, 0, QStringLiteral("ъ")).found);
    // Ў and ў are not in the table.
    EXPECT_FALSE(FileSearcher::findInText(lines, 0, 0, QStringLiteral("Ў")).found);
    EXPECT_TRUE(FileSearcher::findInText(lines, 0, 0, QStringLiteral("ў")).found);
    // Letters that Windows-1251 lacks, shown from UTF-8, fold by Unicode.
    const FileSearcher::TextHit greek =
        FileSearcher::findInText({QStringLiteral("α ΩMEGA")}, 0, 0, QStringLiteral("ωmega"));
    EXPECT_TRUE(greek.found);
    EXPECT_EQ(greek.column, 2);
}

TEST(FindInFile, EdgesOfTheBlockRule)
{
    TempTree tree;
    QByteArray content(3 * 1048576 + 100, '.');
    const qint64 places[] = {0, 8190, 8192 * 5 - 1, 1048575, 1048576 - 3, 2 * 1048576 - 1};
    for (const qint64 at : places) {
        QByteArray file = content;
        file.replace(at, 4, "NeEd");
        const QString path = tree.file("f", file);
        EXPECT_EQ(FileSearcher::findInFile(path, QStringLiteral("need"), 0, ViewerCodePage::Win), at) << at;
        EXPECT_EQ(FileSearcher::findInFile(path, QStringLiteral("need"), at, ViewerCodePage::Win), at) << at;
        EXPECT_EQ(FileSearcher::findInFile(path, QStringLiteral("need"), at + 1, ViewerCodePage::Win), -1) << at;
    }
    // A match at 0 is skipped from a start of 32.
    const QString head = tree.file("head", "need" + QByteArray(100000, ' '));
    EXPECT_EQ(FileSearcher::findInFile(head, QStringLiteral("need"), 32, ViewerCodePage::Win), -1);
    // A match that would run past the end is not one.
    const QString tail = tree.file("tail", QByteArray(70000, ' ') + "ne");
    EXPECT_EQ(FileSearcher::findInFile(tail, QStringLiteral("need"), 0, ViewerCodePage::Win), -1);
    EXPECT_EQ(FileSearcher::findInFile(tail, QStringLiteral("NE"), 0, ViewerCodePage::Win), 70000);
}

TEST(FindInFile, CaseFormsAndDos)
{
    TempTree tree;
    const QString win = tree.file("win", QByteArray(100, ' ') + cp1251("ПрИвЕт"));
    EXPECT_EQ(FileSearcher::findInFile(win, QStringLiteral("привет"), 0, ViewerCodePage::Win), 100);
    EXPECT_EQ(FileSearcher::findInFile(win, QStringLiteral("привет"), 0, ViewerCodePage::Dos), -1);
    const QString dos = tree.file("dos", QByteArray(100, ' ') + cp::toCp866(QStringLiteral("ЁЛКА ёлка")));
    EXPECT_EQ(FileSearcher::findInFile(dos, QStringLiteral("ёлка"), 0, ViewerCodePage::Dos), 100);
    EXPECT_EQ(FileSearcher::findInFile(dos, QStringLiteral("ЁЛКА"), 101, ViewerCodePage::Dos), 105);
}

// WIN looked for the Windows-1251 bytes alone, so UTF-8 text was never found.
TEST(FindInFile, WinFindsUtf8AndCp1251)
{
    TempTree tree;
    QByteArray file(3 * 1048576, ' ');
    file.replace(100, 6, cp1251("ПрИвЕт"));
    file.replace(1000, 12, QByteArray("пРиВеТ"));
    // Across the reads of 1 MiB, and with letters whose two cases differ in
    // their first byte (Я is D0 AF, я is D1 8F).
    file.replace(1048576 - 5, 12, QByteArray("ЯяЯяЯя"));
    const QString path = tree.file("mixed", file);
    const QString word = QStringLiteral("привет");
    EXPECT_EQ(FileSearcher::findInFile(path, word, 0, ViewerCodePage::Win), 100);
    EXPECT_EQ(FileSearcher::findInFile(path, word, 101, ViewerCodePage::Win), 1000);
    EXPECT_EQ(FileSearcher::findInFile(path, word, 0, ViewerCodePage::Ucode), 100);
    EXPECT_EQ(FileSearcher::findInFile(path, word, 101, ViewerCodePage::Ucode), -1);
    EXPECT_EQ(FileSearcher::findInFile(path, word, 0, ViewerCodePage::Dos), -1);
    EXPECT_EQ(FileSearcher::findInFile(path, QStringLiteral("яяяяяя"), 0, ViewerCodePage::Win), 1048576 - 5);
    // A mix of the two cases' bytes is no letter: D0 8F is Џ.
    const QString mixed = tree.file("bytes", QByteArray(50, ' ') + QByteArray("\xD0\x8F"));
    EXPECT_EQ(FileSearcher::findInFile(mixed, QStringLiteral("я"), 0, ViewerCodePage::Win), -1);
    // Letters that Windows-1251 lacks are found in UTF-8 alone.
    const QString greek = tree.file("greek", QByteArray(10, ' ') + QByteArray("ΩMEGA"));
    EXPECT_EQ(FileSearcher::findInFile(greek, QStringLiteral("ωmega"), 0, ViewerCodePage::Win), 10);
}

TEST(FindInFile, SameResultAsTheBlockRule)
{
    TempTree tree;
    QRandomGenerator random(20261208);
    const char alphabet[] = "abAB\xE0\xC0\xB8\xA8 x";
    for (int round = 0; round < 40; ++round) {
        QByteArray file(random.bounded(1, 40000), Qt::Uninitialized);
        for (char &c : file)
            c = alphabet[random.bounded(int(sizeof alphabet - 1))];
        QByteArray text(random.bounded(1, round % 5 == 0 ? 300 : 6), Qt::Uninitialized);
        for (char &c : text)
            c = alphabet[random.bounded(int(sizeof alphabet - 1))];
        if (round % 3 == 0 && file.size() > text.size() + 10) // plant one
            file.replace(random.bounded(int(file.size() - text.size())), text.size(), text);
        const qint64 start = random.bounded(int(file.size()));
        const ViewerCodePage page = round % 2 ? ViewerCodePage::Win : ViewerCodePage::Dos;
        const QString path = tree.file("r", file);
        EXPECT_EQ(FileSearcher::findInFile(path, cp::fromCp1251(text), start, page), blockRule(file, text, start, page))
            << round;
    }
}

TEST(FindInFile, LongTextsPendingWorkAndBadFiles)
{
    TempTree tree;
    QByteArray text(20000, 'q');
    text[19999] = 'z';
    const QString path = tree.file("long", QByteArray(3 * 1048576, 'q') + text);
    int pending = 0;
    EXPECT_EQ(FileSearcher::findInFile(path, QString::fromLatin1(text), 0, ViewerCodePage::Win, [&] { ++pending; }),
              3 * 1048576);
    EXPECT_EQ(pending, int((3 * 1048576) / FileSearcher::kYieldBytes));

    EXPECT_EQ(FileSearcher::findInFile(tree.path("missing"), QStringLiteral("a"), 0, ViewerCodePage::Win), -1);
    EXPECT_EQ(FileSearcher::findInFile(tree.file("empty"), QStringLiteral("a"), 0, ViewerCodePage::Win), -1);
    EXPECT_EQ(FileSearcher::findInFile(QString(), QStringLiteral("a"), 0, ViewerCodePage::Win), -1);
    EXPECT_EQ(FileSearcher::findInFile(path, QString(), 0, ViewerCodePage::Win), -1);
    EXPECT_EQ(FileSearcher::findInFile(tree.fifo("pipe"), QStringLiteral("a"), 0, ViewerCodePage::Win), -1);
    EXPECT_THROW(FileSearcher::findInFile(tree.folder("dir"), QStringLiteral("a"), 0, ViewerCodePage::Win),
                 quil::OsError);
}
