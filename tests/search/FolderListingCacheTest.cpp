#include "search/FolderListingCache.h"
#include "support/TempTree.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using quil::DirectoryReader;
using quil::FolderListingCache;

namespace {

qsizetype recordFolder(FolderListingCache &cache, DirectoryReader &reader, const QByteArray &path)
{
    if (!reader.open(path.constData()))
        return -1;
    const qsizetype index = cache.startRecording(reader.fd());
    DirectoryReader::Entry entry;
    while (reader.next(entry))
        cache.record(entry);
    cache.finishRecording();
    reader.close();
    return index;
}

QByteArrayList replayed(DirectoryReader &reader, QByteArrayView listing)
{
    reader.replay(listing);
    QByteArrayList names;
    DirectoryReader::Entry entry;
    while (reader.next(entry))
        names.append(QByteArray(entry.name, entry.length) +
                     (entry.type == DirectoryReader::Type::Directory ? "/" : ""));
    reader.close();
    std::sort(names.begin(), names.end());
    return names;
}

TEST(FolderListingCache, KeepsAListingWhileTheFolderIsUnchanged)
{
    TempTree tree;
    tree.folder("f");
    tree.folder("f/sub");
    tree.file("f/a.txt", "x");
    const QByteArray folder = tree.rootBytes() + "/f";
    const struct timespec past[2] = {{978307200, 0}, {978307200, 0}};
    ASSERT_EQ(::utimensat(AT_FDCWD, folder.constData(), past, 0), 0);

    DirectoryReader reader;
    // Changed just now: not kept, since a change in the same tick would go unseen.
    FolderListingCache careful;
    EXPECT_EQ(recordFolder(careful, reader, folder), -1);

    FolderListingCache cache(-1);
    const qsizetype index = recordFolder(cache, reader, folder);
    if (index < 0)
        GTEST_SKIP() << "the temporary folder's file system is not one whose times are trusted";
    const auto kept = cache.listing(index, -1, folder.constData(), false);
    ASSERT_TRUE(kept.has_value());
    EXPECT_EQ(replayed(reader, *kept), (QByteArrayList{"a.txt", "sub/"}));

    tree.file("f/b.txt", "x"); // moves the folder's modification time
    EXPECT_FALSE(cache.listing(index, -1, folder.constData(), false).has_value());
    EXPECT_FALSE(cache.listing(index + 1, -1, folder.constData(), false).has_value());
    cache.clear();
    EXPECT_FALSE(cache.listing(index, -1, folder.constData(), false).has_value());
}

} // namespace
