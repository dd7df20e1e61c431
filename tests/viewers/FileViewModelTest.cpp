#include "viewers/FileViewModel.h"
#include "platform/CodePages.h"
#include "platform/NativePath.h"
#include "platform/OsError.h"
#include "support/TempTree.h"
#include "viewers/FileSearcher.h"
#include "viewers/FileViewRenderer.h"

#include <gtest/gtest.h>

#include <cerrno>

using quil::FileViewModel;
using quil::FileViewRenderer;
using quil::ViewerCodePage;

namespace {

QByteArray pattern(qint64 size)
{
    QByteArray out(size, Qt::Uninitialized);
    for (qint64 i = 0; i < size; ++i)
        out[i] = static_cast<char>('a' + i % 26);
    return out;
}

QByteArrayList lines(const FileViewModel &view)
{
    return FileViewRenderer::splitLines(view.text());
}

} // namespace

TEST(FileViewModel, EmptyFileAndItsTitle)
{
    TempTree tree;
    FileViewModel view;
    view.setPath(tree.file("empty.txt"));
    ASSERT_TRUE(view.open());
    EXPECT_TRUE(view.wholeFileMode());
    EXPECT_TRUE(view.textMode());
    EXPECT_TRUE(view.text().isEmpty());
    EXPECT_EQ(view.title(),
              QStringLiteral(" Просмотр файла - ") + tree.path("empty.txt") + QStringLiteral(" - Размер : 0"));
}

TEST(FileViewModel, NoPathDoesNothing)
{
    FileViewModel view;
    EXPECT_FALSE(view.open());
    EXPECT_FALSE(view.textMode());
    view.renderPage();
    EXPECT_TRUE(view.text().isEmpty());
}

TEST(FileViewModel, WholeFileBelow64000PagedFrom64000)
{
    TempTree tree;
    FileViewModel view;
    view.setPath(tree.file("small", pattern(63999)));
    ASSERT_TRUE(view.open());
    EXPECT_TRUE(view.wholeFileMode());
    EXPECT_EQ(view.text(), pattern(63999));
    EXPECT_EQ(view.title().right(5), QStringLiteral("63999"));

    view.setPath(tree.file("large", pattern(64000)));
    ASSERT_TRUE(view.open());
    EXPECT_FALSE(view.wholeFileMode());
    EXPECT_FALSE(view.textMode());
    EXPECT_EQ(view.position(), 1);
    EXPECT_EQ(view.paging().maximum(), 4000 - 23 + 2);
    const QByteArrayList shown = lines(view);
    ASSERT_EQ(shown.size(), 23);
    EXPECT_EQ(shown[0], "00000000: 61 62 63 64 65 66 67 68|69 6A 6B 6C 6D 6E 6F 70 | abcdefghijklmnop");
    EXPECT_TRUE(shown[22].startsWith("00000160: "));
}

TEST(FileViewModel, LastPageEndsWithTheLastRow)
{
    TempTree tree;
    FileViewModel view;
    view.setPath(tree.file("large", pattern(64005)));
    ASSERT_TRUE(view.open());
    ASSERT_TRUE(view.setPosition(view.paging().maximum()));
    const QByteArrayList shown = lines(view);
    ASSERT_EQ(shown.size(), 23);
    EXPECT_EQ(shown.last(), "0000FA00: 6F 70 71 72 73" + QByteArray(34, ' ') + "| opqrs");
    EXPECT_FALSE(view.setPosition(view.paging().maximum() + 50)); // capped, nothing new
}

TEST(FileViewModel, EightGibSparseFileLastPage)
{
    TempTree tree;
    const qint64 size = qint64(8) << 30;
    FileViewModel view;
    view.setPath(tree.sparseFile("huge", size));
    ASSERT_TRUE(view.open());
    ASSERT_TRUE(view.setPosition(view.paging().maximum()));
    EXPECT_EQ(view.pageOffset(), size - 22 * 16);
    const QByteArrayList shown = lines(view);
    ASSERT_EQ(shown.size(), 22); // the 23rd row would start at the end of the file
    EXPECT_TRUE(shown.last().startsWith("1FFFFFFF0: 00 00 "));
}

TEST(FileViewModel, TallPageAndToggles)
{
    TempTree tree;
    FileViewModel view;
    view.setPath(tree.file("large", pattern(200000)));
    view.setLinesPerPage(2000); // a text page of 128000 bytes
    ASSERT_TRUE(view.open());
    view.toggleTextHex();
    EXPECT_TRUE(view.textMode());
    EXPECT_EQ(view.text(), pattern(128000));
    view.toggleTextHex();
    EXPECT_FALSE(view.textMode());
    EXPECT_EQ(lines(view).size(), 2000);

    // A small file toggled into paged hexadecimal mode, and into paged text.
    view.setLinesPerPage(23);
    view.setPath(tree.file("small", "ABCDEFGHIJKLMNOPQR"));
    ASSERT_TRUE(view.open());
    view.toggleTextHex();
    EXPECT_FALSE(view.wholeFileMode());
    EXPECT_FALSE(view.textMode());
    EXPECT_FALSE(view.paging().enabled());
    EXPECT_EQ(lines(view).size(), 2);
    view.toggleTextHex();
    EXPECT_TRUE(view.textMode());
    EXPECT_EQ(view.text(), "ABCDEFGHIJKLMNOPQR");
}

TEST(FileViewModel, UcodeWholeFile)
{
    TempTree tree;
    FileViewModel view;
    // BOM, "Ёж", CR LF (one line break), "x".
    view.setPath(tree.file("u16", QByteArray("\xFF\xFE\x01\x04\x36\x04\x0D\x00\x0A\x00x\x00", 12)));
    view.setCodePage(ViewerCodePage::Ucode);
    ASSERT_TRUE(view.open());
    EXPECT_EQ(view.text(), QByteArray("\xFF\xFE\xB1\xE6\r\nx"));
    view.setCodePage(ViewerCodePage::Win);
    view.loadWholeUcode();
    EXPECT_EQ(view.text(), QByteArray("\xFF\xFE\xB1\xE6\r\nx"));
}

TEST(FileViewModel, FilesThatCannotBeRead)
{
    TempTree tree;
    FileViewModel view;
    view.setPath(tree.path("missing"));
    try {
        view.open();
        FAIL() << "no error";
    } catch (const quil::OsError &error) {
        EXPECT_EQ(error.code(), ENOENT);
    }
    EXPECT_EQ(view.viewFileSize(), 0);
    EXPECT_TRUE(view.wholeFileMode());

    view.setPath(tree.folder("dir"));
    EXPECT_THROW(view.open(), quil::OsError);

    // A FIFO has no size and is not waited on.
    view.setPath(tree.fifo("pipe"));
    ASSERT_TRUE(view.open());
    EXPECT_TRUE(view.text().isEmpty());
}

TEST(FileViewModel, NameThatIsNotUtf8)
{
    TempTree tree;
    tree.file("bad\xFF.txt", "ABC");
    const QString path = quil::fromNative(tree.rootBytes() + "/bad\xFF.txt");
    FileViewModel view;
    view.setPath(path);
    ASSERT_TRUE(view.open());
    EXPECT_EQ(view.text(), "ABC");
    EXPECT_EQ(view.viewFileSize(), 3);
    EXPECT_EQ(quil::FileSearcher::findInFile(path, QStringLiteral("bc"), 0, ViewerCodePage::Win), 1);
}

namespace {

QByteArray utf8(const char *text)
{
    return QByteArray(text);
}

QByteArray cp1251(const char *text)
{
    return quil::codepage::toCp1251(QString::fromUtf8(text));
}

struct ShownCase
{
    const char *name;
    QByteArray bytes;
    ViewerCodePage codePage;
    QString shown;
};

} // namespace

// WIN showed UTF-8 files as Windows-1251 ("РџСЂРёРІРµС‚").
TEST(FileViewModel, WinShowsUtf8TextAsUtf8AndOtherTextAsCp1251)
{
    const ShownCase cases[] = {
        {"UTF-8 Cyrillic", utf8("Привет, мир\n"), ViewerCodePage::Win, QStringLiteral("Привет, мир\n")},
        {"CP1251 Cyrillic", cp1251("Привет, мир\r\n"), ViewerCodePage::Win, QStringLiteral("Привет, мир\n")},
        {"ASCII", QByteArray("plain\ttext\0end", 14), ViewerCodePage::Win, QStringLiteral("plain\t    text\u25BAend")},
        // A byte that no UTF-8 text holds: the whole text is Windows-1251.
        {"invalid byte", utf8("Привет \xFF"), ViewerCodePage::Win, quil::codepage::fromCp1251(utf8("Привет \xFF"))},
        // Overlong forms and surrogates are not UTF-8 either.
        {"overlong", "\xC0\xAF", ViewerCodePage::Win, QStringLiteral("АЇ")},
        {"surrogate", "\xED\xA0\x80", ViewerCodePage::Win, quil::codepage::fromCp1251("\xED\xA0\x80")},
        // A character cut by the file's end is no page edge.
        {"cut at the end of the file", utf8("При\xD0"), ViewerCodePage::Win,
         quil::codepage::fromCp1251(utf8("При\xD0"))},
        {"DOS unchanged", utf8("Привет"), ViewerCodePage::Dos,
         quil::codepage::fromCp1251(quil::codepage::oemToChar(utf8("Привет")))},
        {"UCODE unchanged", QByteArray("\x1F\x04\x40\x04", 4), ViewerCodePage::Ucode, QStringLiteral("Пр")},
    };
    TempTree tree;
    for (const ShownCase &c : cases) {
        FileViewModel view;
        view.setPath(tree.file("t", c.bytes));
        view.setCodePage(c.codePage);
        ASSERT_TRUE(view.open()) << c.name;
        ASSERT_TRUE(view.wholeFileMode()) << c.name;
        EXPECT_EQ(view.shownText(), c.shown) << c.name;
    }
}

TEST(FileViewModel, PagedUtf8TextAndTheHexColumn)
{
    TempTree tree;
    // 64000 bytes and more: each "Ж" is two bytes, and a row of 16 bytes
    // starting at an odd offset begins inside one.
    QByteArray line = "x" + QByteArray("Ж");
    for (int i = 0; i < 14; ++i)
        line += QByteArray("ж");
    line += '\n'; // 1 + 15 * 2 + 1 = 32 bytes
    QByteArray file;
    while (file.size() < 70000)
        file += line;
    const QString path = tree.file("big", file);
    FileViewModel view;
    view.setPath(path);
    view.setLinesPerPage(4); // text pages of 256 bytes
    ASSERT_TRUE(view.open());
    ASSERT_FALSE(view.textMode());
    // The hexadecimal dump keeps one character per byte.
    EXPECT_EQ(view.shownText().section(QLatin1Char('\n'), 0, 0),
              QStringLiteral("00000000: 78 D0 96 D0 B6 D0 B6 D0|B6 D0 B6 D0 B6 D0 B6 D0 | ") +
                  quil::codepage::fromCp1251(file.first(16)));
    view.toggleTextHex();
    ASSERT_TRUE(view.textMode());
    EXPECT_EQ(view.shownText(), QString::fromUtf8(file.first(256)));
    // Position 2 starts at offset 16, inside a letter: the letter is left to the
    // page before, and the letter the page's end cuts is completed.
    ASSERT_TRUE(view.setPosition(2));
    EXPECT_EQ(view.pageOffset(), 16);
    EXPECT_EQ(view.shownText(), QString::fromUtf8(file.sliced(17, 256)));
    EXPECT_EQ(view.text(), file.sliced(16, 256)); // the 8-bit page is the bytes
    // A page of Windows-1251 text among UTF-8 pages is shown as Windows-1251.
    QByteArray mixed = file;
    mixed.replace(16 * 40, 6, cp1251("Привет"));
    const QString mixedPath = tree.file("mixed", mixed);
    view.setPath(mixedPath);
    ASSERT_TRUE(view.open());
    view.toggleTextHex();
    ASSERT_TRUE(view.setPosition(40));
    EXPECT_EQ(view.shownText(), quil::codepage::fromCp1251(mixed.sliced(16 * 39, 256)));
    ASSERT_TRUE(view.setPosition(1));
    EXPECT_EQ(view.shownText(), QString::fromUtf8(mixed.first(256)));
}
