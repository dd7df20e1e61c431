#include "viewers/FileViewModel.h"
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
    // BOM, "Ёж", CR LF, "x".
    view.setPath(tree.file("u16", QByteArray("\xFF\xFE\x01\x04\x36\x04\x0D\x00\x0A\x00x\x00", 12)));
    view.setCodePage(ViewerCodePage::Ucode);
    ASSERT_TRUE(view.open());
    EXPECT_EQ(view.text(), QByteArray("\xFF\xFE\xB1\xE6\r\n\nx"));
    view.setCodePage(ViewerCodePage::Win);
    view.loadWholeUcode();
    EXPECT_EQ(view.text(), QByteArray("\xFF\xFE\xB1\xE6\r\n\nx"));
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
    EXPECT_EQ(quil::FileSearcher::findInFile(path, "bc", 0, ViewerCodePage::Win), 1);
}
