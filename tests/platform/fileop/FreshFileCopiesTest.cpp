// The files of a folder a copy makes are copied two at a time: each must come
// out whole, with its mode and time, noted once, and whatever fails on the way
// must be asked about exactly once, as a copy one file at a time would.
#include "FileCheck.h"

#include "platform/ScriptedDialogs.h"
#include "platform/fileop/FileOperation.h"
#include "support/TempTree.h"

#include <gtest/gtest.h>

#include <QSet>

#include <atomic>
#include <chrono>
#include <fcntl.h>
#include <mutex>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

using namespace quil;
using Kind = ScriptedDialogs::Kind;
namespace fc = filecheck;
using fc::folder;
using fc::q;
using fc::qs;

using fc::MiB;

namespace {

void setTime(const QByteArray &path, time_t seconds)
{
    const struct timespec times[2] = {{seconds, 0}, {seconds, 123456789}};
    ASSERT_EQ(::utimensat(AT_FDCWD, path.constData(), times, AT_SYMLINK_NOFOLLOW), 0);
}

} // namespace

TEST(FreshFileCopies, EveryFileIsWholeWithItsModeAndTimeAndNotedOnce)
{
    TempTree tree;
    folder(tree, "src");
    const QByteArray src = folder(tree, "src/tree");
    folder(tree, "src/tree/sub");
    const QByteArray dst = folder(tree, "dst");
    QList<QByteArray> files;
    for (int i = 0; i < 60; ++i) {
        const QByteArray path = src + (i % 3 ? "/f" : "/sub/g") + QByteArray::number(i);
        fc::write(path, fc::pattern(i == 7 ? 3 * MiB / 2 : i * 97, i));
        ::chmod(path.constData(), i % 2 ? 0640 : 0755);
        setTime(path, 1000000 + i);
        files.append(path);
    }
    ASSERT_EQ(::symlink("f1", (src + "/link").constData()), 0);
    ASSERT_EQ(::mkfifo((src + "/pipe").constData(), 0600), 0);

    ScriptedDialogs dialogs;
    FileOperation copy(dialogs, qs({src}), q(dst), FO_COPY, 0);
    QList<QByteArray> placed;
    std::atomic<int> inside{0};
    bool overlapped = false;
    const auto alone = [&](auto &&body) {
        overlapped |= ++inside != 1;
        // Long enough for the other thread to come in, were it let.
        std::this_thread::sleep_for(std::chrono::microseconds(200));
        body();
        --inside;
    };
    // Items placed may be told on both threads at once (the undo reads each
    // one's identity beside the other's).
    std::mutex placedMutex;
    copy.setItemPlaced([&](const QByteArray &from, const QByteArray &, const struct stat *) {
        const std::scoped_lock lock(placedMutex);
        placed.append(from);
    });
    copy.setBeforeItem([&](const QString &) { alone([] {}); });
    ASSERT_TRUE(copy.run());

    EXPECT_FALSE(overlapped);
    EXPECT_EQ(fc::snapshot(dst + "/tree"), fc::snapshot(src));
    for (const QByteArray &path : files) {
        const struct stat source = fc::lstatOf(path);
        const struct stat copied = fc::lstatOf(dst + "/tree" + path.mid(src.size()));
        EXPECT_EQ(copied.st_mtim.tv_sec, source.st_mtim.tv_sec) << path.constData();
        EXPECT_EQ(copied.st_mtim.tv_nsec, source.st_mtim.tv_nsec) << path.constData();
    }
    for (const QByteArray &path : files)
        EXPECT_EQ(placed.count(path), 1) << path.constData();
    const FileOperation::Progress progress = copy.progress();
    EXPECT_EQ(progress.itemsDone, progress.itemsTotal);
    EXPECT_EQ(progress.bytesDone, progress.bytesTotal);
}

// Copies that fail beside each other are copied again one at a time, with
// their questions: one question a file that did not fit, and the progress
// counts only what was copied.
TEST(FreshFileCopies, FilesThatDoNotFitAreAskedAboutOnceEach)
{
    TempTree tree;
    TmpfsMount volume(tree.path("volume"), 4 * MiB);
    if (!volume.mounted())
        GTEST_SKIP() << "tmpfs cannot be mounted here";
    folder(tree, "src");
    const QByteArray src = folder(tree, "src/many");
    for (int i = 0; i < 8; ++i)
        fc::write(src + "/f" + QByteArray::number(i), fc::pattern(MiB, i));
    const QByteArray target = volume.path().toUtf8();
    ScriptedDialogs dialogs;
    dialogs.setDefaultItemError(Dialogs::ErrorAnswer::Skip);
    FileOperation copy(dialogs, qs({src}), q(target), FO_COPY, 0);
    EXPECT_FALSE(copy.run());

    QSet<QString> asked;
    for (const ScriptedDialogs::Shown &shown : dialogs.shown(Kind::ItemError))
        asked.insert(shown.text);
    EXPECT_EQ(asked.size(), dialogs.shown(Kind::ItemError).size());
    int copied = 0;
    for (int i = 0; i < 8; ++i) {
        const QByteArray name = "/many/f" + QByteArray::number(i);
        bool there = false;
        const QByteArray content = fc::read(target + name, &there);
        if (there) {
            EXPECT_EQ(content, fc::pattern(MiB, i)) << name.constData();
            ++copied;
        }
        EXPECT_NE(there, asked.contains(q(target + name))) << name.constData();
    }
    EXPECT_GE(copied, 1);
    EXPECT_LT(copied, 8);
    EXPECT_EQ(copy.progress().bytesDone, copied * MiB);
    EXPECT_TRUE(fc::temporaries(target).isEmpty());
}

TEST(FreshFileCopies, CancelledHalfWayLeavesOnlyWholeFiles)
{
    TempTree tree;
    folder(tree, "src");
    const QByteArray src = folder(tree, "src/many");
    const QByteArray dst = folder(tree, "dst");
    constexpr qint64 kFile = 256 * 1024;
    for (int i = 0; i < 40; ++i)
        fc::write(src + "/f" + QByteArray::number(i), fc::pattern(kFile, i));
    ScriptedDialogs dialogs;
    FileOperation copy(dialogs, qs({src}), q(dst), FO_COPY, 0);
    copy.setCancelAfterBytes(3 * MiB + kFile / 2);
    EXPECT_FALSE(copy.run());
    EXPECT_TRUE(copy.isCancelled());

    const QList<QByteArray> left = fc::names(dst + "/many");
    EXPECT_LT(left.size(), 40);
    for (const QByteArray &name : left)
        EXPECT_EQ(fc::read(dst + "/many/" + name), fc::pattern(kFile, name.mid(1).toInt())) << name.constData();
    EXPECT_TRUE(fc::temporaries(dst).isEmpty());
    EXPECT_TRUE(dialogs.shown(Kind::ItemError).isEmpty());
}
