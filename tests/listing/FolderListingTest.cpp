#include "listing/FolderListing.h"
#include "listing/EntryText.h"
#include "listing/FileTypeCache.h"
#include "listing/PathHistory.h"
#include "platform/ItemComparator.h"
#include "platform/NameKeys.h"
#include "platform/NativePath.h"
#include "platform/OsError.h"
#include "platform/ShellNamespace.h"
#include "support/TempTree.h"

#include <QDateTime>
#include <QFileInfo>
#include <QLocale>
#include <QTimeZone>
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <stdexcept>
#include <sys/stat.h>
#include <unistd.h>
#include <utime.h>

using quil::ItemId;
using quil::ShellNamespace;

namespace {

ItemId idOf(const QString &path)
{
    return ShellNamespace::parse(path);
}

QStringList namesOf(const quil::FolderListing &listing)
{
    QStringList names;
    for (int i = 0; i < listing.count(); ++i)
        names.append(listing.entry(i).name);
    return names;
}

void read(quil::FolderListing &listing, const QString &path)
{
    const ItemId folder = idOf(path);
    listing.readFolder(folder);
    listing.setCurrent(folder, path);
}

void setModified(const QString &path, qint64 seconds)
{
    const struct utimbuf times
    {
        seconds, seconds
    };
    ASSERT_EQ(::utime(path.toUtf8().constData(), &times), 0);
}

} // namespace

TEST(FolderListing, SizesInKilobytesAfterTheDetailFill)
{
    TempTree tree;
    tree.file("a-empty");
    tree.file("b-1024", QByteArray(1024, 'x'));
    tree.file("c-1025", QByteArray(1025, 'x'));
    tree.sparseFile("d-5gb", 5LL * 1024 * 1024 * 1024);
    quil::FolderListing listing;
    read(listing, tree.root());
    ASSERT_EQ(namesOf(listing), (QStringList{"a-empty", "b-1024", "c-1025", "d-5gb"}));
    listing.fillDetails(0, 3);
    EXPECT_EQ(listing.entry(0).size, 1);
    EXPECT_EQ(listing.entry(1).size, 1);
    EXPECT_EQ(listing.entry(2).size, 2);
    EXPECT_EQ(listing.entry(3).size, 5242880);
}

TEST(FolderListing, DetailsAreFilledOnlyForTheRowsAskedAndOnlyOnce)
{
    TempTree tree;
    for (int i = 0; i < 300; ++i)
        tree.file(QByteArray("file") + QByteArray::number(i) + ".txt", "x");
    quil::FolderListing listing;
    read(listing, tree.root());
    EXPECT_EQ(listing.count(), 300);
    EXPECT_EQ(listing.detailFills(), 0);
    EXPECT_TRUE(listing.entry(0).typeText.isEmpty());

    const auto filled = listing.fillDetails(10, 19);
    EXPECT_EQ(filled, std::make_pair(10, 19));
    EXPECT_EQ(listing.detailFills(), 10);
    EXPECT_FALSE(listing.entry(10).needsDetails);
    EXPECT_TRUE(listing.entry(9).needsDetails);
    EXPECT_TRUE(listing.entry(20).needsDetails);
    EXPECT_FALSE(listing.entry(15).typeText.isEmpty());
    EXPECT_FALSE(listing.entry(15).dateText.isEmpty());
    EXPECT_EQ(listing.entry(15).absoluteId, idOf(tree.root() + "/" + listing.entry(15).name));

    // Asked again, partly overlapping: only the new rows are filled.
    EXPECT_EQ(listing.fillDetails(15, 24), std::make_pair(20, 24));
    EXPECT_EQ(listing.detailFills(), 15);
    const auto none = listing.fillDetails(12, 18);
    EXPECT_LT(none.second, none.first);
    // Rows beyond the list are ignored.
    listing.fillDetails(295, 400);
    EXPECT_EQ(listing.detailFills(), 20);
}

TEST(FolderListing, NameOrderPutsFoldersFirstAndComparesNumbers)
{
    TempTree tree;
    tree.file("file10");
    tree.file("File2");
    tree.folder("zeta");
    tree.folder("Alpha");
    tree.file(".hidden");
    quil::FolderListing listing;
    read(listing, tree.root());
    EXPECT_EQ(namesOf(listing), (QStringList{"Alpha", "zeta", ".hidden", "File2", "file10"}));
}

TEST(FolderListing, SizeTypeAndDateOrders)
{
    TempTree tree;
    setModified(tree.file("a.txt", QByteArray(5000, 'x')), 3000000);
    setModified(tree.file("b.png", QByteArray(10, 'x')), 1000000);
    setModified(tree.file("c.txt", QByteArray(2000, 'x')), 2000000);
    tree.folder("dir");
    quil::FolderListing listing;

    listing.setSortKey(quil::SortKey::Size);
    read(listing, tree.root());
    EXPECT_EQ(namesOf(listing), (QStringList{"dir", "b.png", "c.txt", "a.txt"}));

    listing.setSortKey(quil::SortKey::Date);
    read(listing, tree.root());
    EXPECT_EQ(namesOf(listing), (QStringList{"dir", "b.png", "c.txt", "a.txt"}));

    setModified(tree.path("b.png"), 4000000);
    read(listing, tree.root());
    EXPECT_EQ(namesOf(listing), (QStringList{"dir", "c.txt", "a.txt", "b.png"}));

    listing.setSortKey(quil::SortKey::Type);
    read(listing, tree.root());
    ASSERT_EQ(listing.count(), 4);
    EXPECT_EQ(listing.entry(0).name, QStringLiteral("dir"));
    // The two texts share a type and keep the name order between them.
    const int a = int(namesOf(listing).indexOf("a.txt"));
    const int c = int(namesOf(listing).indexOf("c.txt"));
    EXPECT_EQ(c, a + 1);
}

// FIFOs once sorted by the type their name suggests while the column showed
// their kind.
TEST(FolderListing, TypeOrderFollowsTheShownTypeText)
{
    TempTree tree;
    tree.file("a.png", "x");
    tree.file("b.txt", "x");
    tree.file("c.zip", "x");
    tree.fifo("pipe.txt");
    tree.fifo("pipe.png");
    quil::FolderListing listing;
    listing.setSortKey(quil::SortKey::Type);
    read(listing, tree.root());
    listing.fillDetails(0, listing.count() - 1);
    const quil::NameKeys collation;
    std::vector<std::vector<unsigned char>> keys;
    for (int i = 0; i < listing.count(); ++i) {
        keys.emplace_back();
        collation.append(listing.entry(i).typeText, keys.back());
    }
    EXPECT_TRUE(std::is_sorted(keys.begin(), keys.end())) << namesOf(listing).join(' ').toStdString();
    const QString pipe = listing.entry(listing.findEntry("pipe.txt")).typeText;
    EXPECT_EQ(listing.entry(listing.findEntry("pipe.png")).typeText, pipe);
    EXPECT_NE(listing.entry(listing.findEntry("b.txt")).typeText, pipe);
}

TEST(FolderListing, UnreadableFolderKeepsTheListing)
{
    TempTree tree;
    tree.file("kept");
    quil::FolderListing listing;
    read(listing, tree.root());
    tree.folder("gone");
    const ItemId gone = idOf(tree.path("gone"));
    ASSERT_EQ(::rmdir(tree.path("gone").toUtf8().constData()), 0);
    EXPECT_THROW(listing.readFolder(gone), quil::OsError);
    EXPECT_EQ(namesOf(listing), QStringList{"kept"});
    EXPECT_EQ(listing.currentPath(), tree.root());
}

// A mark set on the compact entry survives its becoming whole, and the
// other way round; hidden names are left out of the compact store.
TEST(FolderListing, MarksCrossBetweenCompactAndWholeEntries)
{
    TempTree tree;
    tree.file(".hidden");
    tree.file("a");
    tree.file("b");
    quil::FolderListing listing;
    listing.setHiddenShown(false);
    read(listing, tree.root());
    ASSERT_EQ(listing.count(), 2);
    EXPECT_EQ(listing.name(0), "a");
    listing.setMarked(1, true);
    EXPECT_TRUE(listing.entry(1).marked);
    listing.entry(0).marked = true;
    listing.sort();
    EXPECT_TRUE(listing.isMarked(0));
    EXPECT_TRUE(listing.isMarked(1));
    EXPECT_EQ(listing.findEntry("b"), 1);
}

TEST(FolderListing, EntryLookupIsExactAndRowsOutsideRaise)
{
    TempTree tree;
    tree.file("Sub");
    tree.file("sub2");
    quil::FolderListing listing;
    read(listing, tree.root());
    EXPECT_EQ(listing.findEntry("Sub"), 0);
    EXPECT_EQ(listing.findEntry("sub"), -1);
    EXPECT_EQ(listing.findEntry(""), -1);
    EXPECT_THROW(listing.entry(2), std::out_of_range);
    EXPECT_THROW(listing.entry(-1), std::out_of_range);
}

TEST(FolderListing, ComputerFolderListsVolumesAsFolders)
{
    quil::FolderListing listing;
    read(listing, QStringLiteral("computer:///"));
    ASSERT_GE(listing.count(), 1);
    EXPECT_TRUE(listing.isFolder(0));
    EXPECT_EQ(listing.entry(0).folderChild.id, ItemId::volume("/"));
    listing.fillDetails(0, 0);
    EXPECT_TRUE(listing.entry(0).attributes & quil::AttributeDirectory);
}

TEST(FolderListing, DateTextLeavesOutMidnight)
{
    const QLocale locale = QLocale::system();
    const QDateTime midnight(QDate(2020, 5, 17), QTime(0, 0));
    EXPECT_EQ(quil::listingDateText(midnight.toMSecsSinceEpoch()),
              locale.toString(midnight.date(), QLocale::ShortFormat));
    EXPECT_EQ(quil::listingDateText(0), QString());
}

// Regression: the long time format appended the time-zone name.
TEST(FolderListing, DateTextHasNoTimeZoneName)
{
    struct Case
    {
        const char *locale;
        const char *text;
    };
    const Case cases[] = {
        {"ru_RU", "17.05.2020 12:30:05"},
        {"de_DE", "17.05.20 12:30:05"},
    };
    const QDateTime noon(QDate(2020, 5, 17), QTime(12, 30, 5));
    for (const Case &c : cases) {
        const QLocale locale{QString::fromLatin1(c.locale)};
        const QString text = quil::listingDateText(noon.toMSecsSinceEpoch(), locale);
        EXPECT_EQ(text, QString::fromLatin1(c.text)) << c.locale;
    }
    const QString zone = QTimeZone::systemTimeZone().abbreviation(noon);
    EXPECT_FALSE(quil::listingDateText(noon.toMSecsSinceEpoch()).contains(zone)) << zone.toStdString();
}

TEST(FolderListing, TimeFormatWithoutZone)
{
    const std::pair<const char *, const char *> cases[] = {
        {"HH:mm:ss t", "HH:mm:ss"}, {"h:mm:ss AP tttt", "h:mm:ss AP"},
        {"t HH:mm", "HH:mm"},       {"HH 'h' mm 'min' ss 's' t", "HH 'h' mm 'min' ss 's'"},
        {"HH:mm", "HH:mm"},
    };
    for (const auto &[format, expected] : cases)
        EXPECT_EQ(quil::timeFormatWithoutZone(QString::fromLatin1(format)), QString::fromLatin1(expected)) << format;
}

TEST(PathHistory, NewestDistinctPathFirstLetterCaseIgnored)
{
    quil::PathHistory history;
    EXPECT_EQ(history.add("computer:///", ItemId::computer()), 0);
    EXPECT_EQ(history.add("/", ItemId::fromPath("/")), 0);
    EXPECT_EQ(history.add("/home/Ann", ItemId::fromPath("/home/Ann")), 0);
    EXPECT_EQ(history.add("/", ItemId::fromPath("/")), 1);
    EXPECT_EQ(history.add("/HOME/ann", ItemId::fromPath("/HOME/ann")), 0);
    EXPECT_EQ(history.paths(), (QStringList{"/home/Ann", "/", "computer:///"}));
    EXPECT_EQ(history.line(0).id, ItemId::fromPath("/home/Ann"));
    EXPECT_EQ(history.line(2).id, ItemId::computer());
}

// Large folders are sorted in two halves on two threads and merged.
TEST(FolderListing, LargeFolderIsSortedWholeByEveryColumn)
{
    TempTree tree;
    for (int i = 0; i < 5000; ++i) {
        const QByteArray name = "n" + QByteArray::number(i * 7919 % 5000) + (i % 3 ? ".txt" : ".png");
        if (i % 40 == 0)
            tree.folder(name);
        else
            tree.file(name, QByteArray(i % 700, 'x'));
    }
    const quil::ItemComparator comparator;
    // The type order with each type looked up, then with the type cache,
    // which a sort takes once the glob patterns have been examined.
    const quil::SortKey keys[] = {quil::SortKey::Name, quil::SortKey::Size, quil::SortKey::Type, quil::SortKey::Type};
    for (int pass = 0; pass < 4; ++pass) {
        const quil::SortKey key = keys[pass];
        if (pass == 3) {
            QString group;
            ASSERT_TRUE(quil::FileTypeCache::groupOf(QStringLiteral("a.txt"), group));
        }
        // A small folder's first type sort looks each type up itself.
        EXPECT_EQ(quil::FileTypeCache::patternsExamined(), pass == 3);
        quil::FolderListing listing;
        listing.setSortKey(key);
        read(listing, tree.root());
        ASSERT_EQ(listing.count(), 5000);
        const auto column = quil::SortColumn(int(key));
        quil::FolderChild previous = listing.entry(0).folderChild;
        for (int i = 1; i < listing.count(); ++i) {
            quil::FolderChild current = listing.entry(i).folderChild;
            ASSERT_LE(quil::ItemComparator::compare(ShellNamespace::sortKey(comparator, previous, column),
                                                    ShellNamespace::sortKey(comparator, current, column), column),
                      0)
                << int(key) << " at row " << i;
            previous = current;
        }
        EXPECT_TRUE(listing.isFolder(0));
        EXPECT_FALSE(listing.isFolder(listing.count() - 1));
    }
}

// Names that are not valid UTF-8 are listed, sorted by every column and
// filled like any other, and keep their bytes.
TEST(FolderListing, NamesThatAreNotUtf8)
{
    TempTree tree;
    const QList<QByteArray> bytes = {"bad\xff\xfe.txt", "\xc3\x28 half", "ok.txt", "\xe2\x82 cut.tar.gz", "\x80"};
    for (int i = 0; i < bytes.size(); ++i)
        tree.file(bytes.at(i), QByteArray(i * 1500, 'x'));
    tree.folder("dir\xff");
    for (const quil::SortKey key :
         {quil::SortKey::Name, quil::SortKey::Size, quil::SortKey::Type, quil::SortKey::Date}) {
        quil::FolderListing listing;
        listing.setSortKey(key);
        read(listing, tree.root());
        ASSERT_EQ(listing.count(), 6) << int(key);
        EXPECT_EQ(quil::toNative(listing.entry(0).name), QByteArray("dir\xff"));
        listing.fillDetails(0, listing.count() - 1);
        QList<QByteArray> seen;
        for (int i = 1; i < listing.count(); ++i) {
            const TShellItem &entry = listing.entry(i);
            const QByteArray native = quil::toNative(entry.name);
            seen.append(native);
            ASSERT_TRUE(bytes.contains(native));
            EXPECT_EQ(entry.size, quil::sizeKbFromBytes(bytes.indexOf(native) * 1500));
            EXPECT_FALSE(entry.typeText.isEmpty());
            EXPECT_FALSE(entry.dateText.isEmpty());
        }
        EXPECT_EQ(seen.size(), bytes.size());
        if (key == quil::SortKey::Size) {
            EXPECT_EQ(seen.first(), bytes.first());
        }
    }
    // QTemporaryDir cannot remove names it cannot spell.
    for (const QByteArray &name : bytes)
        EXPECT_EQ(::unlink((tree.rootBytes() + "/" + name).constData()), 0);
    EXPECT_EQ(::rmdir((tree.rootBytes() + "/dir\xff").constData()), 0);
}

// A folder removed after it was listed: the rows show the defaults of a
// failed read instead of failing.
TEST(FolderListing, FolderGoneBeforeTheDetailFill)
{
    auto tree = std::make_unique<TempTree>();
    tree->file("a.txt", QByteArray(5000, 'x'));
    tree->file(".hidden", "x");
    tree->folder("sub");
    quil::FolderListing listing;
    read(listing, tree->root());
    const QString root = tree->root();
    tree.reset();
    ASSERT_FALSE(QFileInfo::exists(root));
    const auto filled = listing.fillDetails(0, listing.count() - 1);
    EXPECT_EQ(filled, std::make_pair(0, 2));
    for (int i = 0; i < listing.count(); ++i) {
        const TShellItem &entry = listing.entry(i);
        EXPECT_EQ(entry.size, 1) << entry.name.toStdString();
        EXPECT_EQ(entry.attributes, 0u);
        EXPECT_TRUE(entry.dateText.isEmpty());
        EXPECT_FALSE(entry.needsDetails);
    }
    // Sorting again reads nothing that fails.
    listing.setSortKey(quil::SortKey::Type);
    listing.sort();
    listing.setSortKey(quil::SortKey::Date);
    listing.sort();
    EXPECT_EQ(listing.count(), 3);
}
