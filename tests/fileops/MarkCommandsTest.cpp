#include "fileops/MarkCommands.h"
#include "listing/FolderListing.h"
#include "platform/MaskMatcher.h"
#include "support/TempTree.h"

#include <gtest/gtest.h>

using namespace quil;

namespace {

// A real folder listed as the main window lists it, with marks set by name.
class MarkCommandsTest : public ::testing::Test
{
protected:
    TempTree tree;
    quil::FolderListing listing;

    void list() { listing.readFolder(ItemId::fromPath(tree.root())); }
    void mark(const QString &name, bool marked = true)
    {
        const int row = listing.findEntry(name);
        ASSERT_GE(row, 0) << name.toStdString();
        listing.entry(row).marked = marked;
    }
    QStringList marked() const
    {
        QStringList names;
        for (int row = 0; row < listing.count(); ++row)
            if (listing.entry(row).marked)
                names.append(listing.entry(row).name);
        names.sort();
        return names;
    }
};

} // namespace

TEST_F(MarkCommandsTest, SummaryRoundsFilesDownWithAMinimumOfOneAndCountsFoldersByTheirSizeField)
{
    tree.file("a", QByteArray(1500, 'x'));
    tree.file("empty");
    tree.file("big", QByteArray(5 * 1024 + 1023, 'y'));
    tree.folder("sub");
    tree.file("sub/inside", QByteArray(4096, 'z'));
    list();

    mark("a");
    mark("empty");
    SelectionSummary summary = selectionSummary(listing);
    EXPECT_EQ(summary.SelFolderCount, 0);
    EXPECT_EQ(summary.SelFileCount, 2);
    EXPECT_EQ(summary.SelTotalKB, 2);
    EXPECT_EQ(selectionSummaryText(summary.SelFolderCount, summary.SelFileCount, summary.SelTotalKB),
              QStringLiteral("Выделено в 0 папках и в 2 файлах: 2 KB"));

    // A folder counts 1 before and after the detail fill, then what a worker stored.
    mark("big");
    mark("sub");
    EXPECT_EQ(selectionSummary(listing).SelTotalKB, 2 + 5 + 1);
    const int sub = listing.findEntry(QStringLiteral("sub"));
    listing.fillDetails(sub, sub);
    EXPECT_EQ(selectionSummary(listing).SelTotalKB, 2 + 5 + 1);
    storeFolderSize(listing, sub, 4);
    summary = selectionSummary(listing);
    EXPECT_EQ(summary.SelFolderCount, 1);
    EXPECT_EQ(summary.SelFileCount, 3);
    EXPECT_EQ(summary.SelTotalKB, 2 + 5 + 4);
}

TEST_F(MarkCommandsTest, SummaryLeavesOutEntriesGoneSinceTheListing)
{
    const QString gone = tree.file("gone.txt", "x");
    tree.file("kept.txt", "x");
    list();
    mark("gone.txt");
    mark("kept.txt");
    ASSERT_TRUE(QFile::remove(gone));
    const SelectionSummary summary = selectionSummary(listing);
    EXPECT_EQ(summary.SelFileCount, 1);
    EXPECT_EQ(summary.SelTotalKB, 1);
}

TEST_F(MarkCommandsTest, StoredFolderSizeSurvivesTheDetailFillAndHolds64Bits)
{
    tree.folder("sub");
    list();
    const int sub = listing.findEntry(QStringLiteral("sub"));
    // 8 TiB in kilobytes: more than 32 bits hold.
    const qint64 huge = qint64(8) << 30;
    storeFolderSize(listing, sub, huge);
    listing.fillDetails(0, listing.count() - 1);
    EXPECT_EQ(listing.entry(sub).size, huge);
    EXPECT_EQ(folderSizeKb(listing.entry(sub)), huge);
    EXPECT_EQ(selectionSummaryText(1, 0, huge), QStringLiteral("Выделено в 1 папках и в 0 файлах: 8 589 934 592 KB"));
}

TEST_F(MarkCommandsTest, MaskCommandsTouchFileEntriesOnly)
{
    struct Case
    {
        MaskCommand command;
        const char *mask;
        QStringList before;
        QStringList after;
    };
    const QStringList all{"README", "a.txt", "b.TXT", "x.txt", "Файл.txt", "файл.txt"};
    const Case cases[] = {
        {MaskCommand::Select, "*.*", {}, {"a.txt", "b.TXT", "Файл.txt", "файл.txt"}},
        {MaskCommand::Select, "*", {}, {"README", "a.txt", "b.TXT", "Файл.txt", "файл.txt"}},
        {MaskCommand::Select, "*.TXT", {}, {"a.txt", "b.TXT", "Файл.txt", "файл.txt"}},
        {MaskCommand::Select, "ФАЙЛ.txt", {}, {}},
        {MaskCommand::Select, "Файл.*", {}, {"Файл.txt"}},
        {MaskCommand::Select, "[!b].t?t", {"README"}, {"README", "a.txt"}},
        // A folder named x.txt keeps its mark, set or not.
        {MaskCommand::Unselect, "*.txt", {"README", "a.txt", "x.txt"}, {"README", "x.txt"}},
        {MaskCommand::Unselect, "*", {"a.txt", "b.TXT"}, {}},
    };
    tree.file("README");
    tree.file("a.txt");
    tree.file("b.TXT");
    tree.folder("x.txt");
    tree.file("Файл.txt");
    tree.file("файл.txt");
    list();
    for (const Case &c : cases) {
        for (const QString &name : all)
            mark(name, c.before.contains(name));
        applyMask(listing, c.command, QString::fromUtf8(c.mask));
        QStringList expected = c.after;
        expected.sort();
        EXPECT_EQ(marked(), expected) << c.mask;
    }
}

TEST_F(MarkCommandsTest, InvalidMaskChangesNoMark)
{
    tree.file("a.txt");
    tree.file("b.txt");
    list();
    mark("b.txt");
    for (const char *mask : {"[", "[]", "*.[a-", "[-z]"}) {
        EXPECT_THROW(applyMask(listing, MaskCommand::Select, QString::fromUtf8(mask)), InvalidMaskError) << mask;
        EXPECT_THROW(applyMask(listing, MaskCommand::SelectMissing, QString::fromUtf8(mask), {"b.txt"}),
                     InvalidMaskError)
            << mask;
        EXPECT_EQ(marked(), QStringList{"b.txt"}) << mask;
    }
    try {
        applyMask(listing, MaskCommand::Unselect, QStringLiteral("a[b"));
        FAIL() << "no error";
    } catch (const InvalidMaskError &error) {
        EXPECT_EQ(error.message(), QStringLiteral("'a[b' is an invalid mask at (4)"));
    }
}

TEST_F(MarkCommandsTest, SelectMissingUnmarksNamesInThePanelExactly)
{
    tree.file("both.txt");
    tree.file("Case.txt");
    tree.file("only.txt");
    tree.file("noext");
    tree.folder("dir.d");
    list();
    mark("both.txt");
    mark("noext");
    mark("dir.d");
    const QStringList panel{"both.txt", "case.txt", "noext", "dir.d"};
    applyMask(listing, MaskCommand::SelectMissing, QStringLiteral("*.*"), panel);
    // noext does not match and is in the panel: unmarked all the same.
    EXPECT_EQ(marked(), (QStringList{"Case.txt", "dir.d", "only.txt"}));
    // The empty mask matches no name, yet names in the panel are unmarked.
    mark("both.txt");
    applyMask(listing, MaskCommand::SelectMissing, QString(), panel);
    EXPECT_EQ(marked(), (QStringList{"Case.txt", "dir.d", "only.txt"}));
}

TEST_F(MarkCommandsTest, InvertFlipsFilesAndLeavesFolders)
{
    tree.file("a");
    tree.file("b");
    tree.folder("marked dir");
    tree.folder("plain dir");
    list();
    mark("a");
    mark("marked dir");
    invertFileMarks(listing);
    EXPECT_EQ(marked(), (QStringList{"b", "marked dir"}));
}
