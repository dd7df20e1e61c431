#include "FileCheck.h"

#include "platform/NativePath.h"
#include "platform/ScriptedDialogs.h"
#include "platform/fileop/FileOperation.h"
#include "platform/fileop/ShellFileOperation.h"
#include "support/TempTree.h"

#include <QDir>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <tuple>
#include <unistd.h>

using namespace quil;
using Answer = Dialogs::TargetExistsAnswer;
using Kind = ScriptedDialogs::Kind;
namespace fc = filecheck;
using fc::folder;
using fc::q;
using fc::qs;

using fc::MiB;

// Cancelling a move to another volume half way loses nothing and leaves no partial file.
TEST(FileOperation, CrossVolumeMoveCancelledHalfWayKeepsEveryFileWhole)
{
    TempTree tree;
    TmpfsMount volume(tree.path("volume"), 32 * MiB);
    if (!volume.mounted())
        GTEST_SKIP() << "tmpfs cannot be mounted here";
    const QByteArray src = folder(tree, "src");
    folder(tree, "src/sub");
    QList<QByteArray> files;
    for (int i = 0; i < 6; ++i)
        files.append("f" + QByteArray::number(i));
    files.append("sub/g0");
    files.append("sub/g1");
    for (int i = 0; i < files.size(); ++i)
        fc::write(src + '/' + files[i], fc::pattern(MiB, i));

    ScriptedDialogs dialogs;
    QList<QByteArray> sources;
    for (int i = 0; i < 6; ++i)
        sources.append(src + "/f" + QByteArray::number(i));
    sources.append(src + "/sub");
    const QByteArray target = volume.path().toUtf8();
    FileOperation move(dialogs, qs(sources), q(target), FO_MOVE, 0);
    move.setCancelAfterBytes(3 * MiB + MiB / 2);
    EXPECT_FALSE(move.run());
    EXPECT_TRUE(move.isCancelled());

    int moved = 0;
    for (int i = 0; i < files.size(); ++i) {
        bool atSource = false, atTarget = false;
        const QByteArray fromSource = fc::read(src + '/' + files[i], &atSource);
        const QByteArray fromTarget = fc::read(target + '/' + files[i], &atTarget);
        EXPECT_NE(atSource, atTarget) << files[i].constData();
        EXPECT_EQ(atSource ? fromSource : fromTarget, fc::pattern(MiB, i)) << files[i].constData();
        moved += atTarget;
    }
    EXPECT_EQ(moved, 3); // cancelled inside the fourth file
    EXPECT_TRUE(fc::temporaries(target).isEmpty());
    EXPECT_TRUE(fc::emptyFiles(target).isEmpty());
    EXPECT_FALSE(fc::exists(target + "/sub"));
}

// A Cancel that comes once a file's copy is whole (here with its last byte)
// still ends that file's move: every item is in exactly one place, and each
// item that moved is reported for the undo journal.
TEST(FileOperation, CrossVolumeMoveCancelledAtAFilesEndFinishesThatFile)
{
    TempTree tree;
    TmpfsMount volume(tree.path("volume"), 8 * MiB);
    if (!volume.mounted())
        GTEST_SKIP() << "tmpfs cannot be mounted here";
    const QByteArray src = folder(tree, "src");
    const QByteArray target = volume.path().toUtf8();
    const QList<QByteArray> names = {"f0", "f1", "f2"};
    for (int i = 0; i < names.size(); ++i)
        fc::write(src + '/' + names[i], fc::pattern(MiB, i));
    ScriptedDialogs dialogs;
    FileOperation move(dialogs, {q(src + "/f0"), q(src + "/f1"), q(src + "/f2")}, q(target), FO_MOVE, 0);
    move.setCancelAfterBytes(MiB);
    QList<QByteArray> placed;
    move.setItemPlaced([&](const QByteArray &from, const QByteArray &, const struct stat *) { placed.append(from); });
    EXPECT_FALSE(move.run());
    EXPECT_TRUE(move.isCancelled());
    for (int i = 0; i < names.size(); ++i) {
        const bool moved = i == 0;
        EXPECT_EQ(fc::exists(src + '/' + names[i]), !moved) << i;
        EXPECT_EQ(fc::read(moved ? target + '/' + names[i] : src + '/' + names[i]), fc::pattern(MiB, i)) << i;
    }
    EXPECT_EQ(fc::names(target), QList<QByteArray>{"f0"});
    EXPECT_EQ(placed, QList<QByteArray>{src + "/f0"});
}

// The names of one file inside a copied tree stay names of one copy, as cp -a
// keeps them: on a copy (whose new folders copy their files two at a time)
// and on a move to another volume; a name given as a source of its own too.
TEST(FileOperation, HardLinksStayLinked)
{
    for (const bool move : {false, true}) {
        SCOPED_TRACE(move ? "move" : "copy");
        TempTree tree;
        TmpfsMount volume(tree.path("volume"), 8 * MiB);
        if (move && !volume.mounted())
            GTEST_SKIP() << "tmpfs cannot be mounted here";
        const QByteArray src = folder(tree, "src");
        folder(tree, "src/tree");
        folder(tree, "src/tree/sub");
        const QByteArray target = move ? volume.path().toUtf8() : folder(tree, "dst");
        fc::write(src + "/tree/a", fc::pattern(100000, 1));
        for (int i = 0; i < 6; ++i)
            fc::write(src + "/tree/x" + QByteArray::number(i), fc::pattern(1000, i));
        for (const QByteArray name : {"/tree/b", "/tree/sub/c", "/d"})
            ASSERT_EQ(::link((src + "/tree/a").constData(), (src + name).constData()), 0);
        ScriptedDialogs dialogs;
        FileOperation operation(dialogs, {q(src + "/tree"), q(src + "/d")}, q(target), move ? FO_MOVE : FO_COPY, 0);
        EXPECT_TRUE(operation.run());
        // A linked name counts as done. Only a copy's totals are exact at the
        // end (a move removes its sources while they are still being counted),
        // but neither figure may go below zero.
        const FileOperation::Progress progress = operation.progress();
        if (!move) {
            EXPECT_EQ(progress.bytesDone, progress.bytesTotal);
        }
        EXPECT_GE(progress.bytesTotal, 0);
        EXPECT_EQ(progress.bytesDone, 4 * 100000 + 6 * 1000);
        const struct stat first = fc::lstatOf(target + "/tree/a");
        EXPECT_EQ(first.st_nlink, 4u);
        for (const QByteArray name : {"/tree/b", "/tree/sub/c", "/d"}) {
            EXPECT_EQ(fc::lstatOf(target + name).st_ino, first.st_ino) << name.constData();
            EXPECT_EQ(fc::exists(src + name), !move) << name.constData();
        }
        EXPECT_EQ(fc::read(target + "/d"), fc::pattern(100000, 1));
        EXPECT_EQ(fc::lstatOf(target + "/tree/x0").st_nlink, 1u);
    }
}

// A conflict answered "skip" leaves the skipped source exactly where it was.
TEST(FileOperation, MoveConflictAnsweredSkipLeavesSourceUnchanged)
{
    TempTree tree;
    TmpfsMount volume(tree.path("volume"));
    QList<QByteArray> targets = {folder(tree, "same")};
    if (volume.mounted())
        targets.append(volume.path().toUtf8());
    for (const QByteArray &target : targets) {
        SCOPED_TRACE(target.constData());
        const QByteArray src = folder(tree, "src");
        fc::write(src + "/a", "new a");
        fc::write(src + "/b", "b");
        fc::write(target + "/a", "old a");
        const struct stat before = fc::lstatOf(src + "/a");

        ScriptedDialogs dialogs;
        dialogs.answerTargetExists(Answer::Skip);
        FileOperation move(dialogs, {q(src + "/a"), q(src + "/b")}, q(target), FO_MOVE, 0);
        EXPECT_FALSE(move.run());

        const auto asked = dialogs.shown(Kind::TargetExists);
        ASSERT_EQ(asked.size(), 1);
        EXPECT_EQ(asked[0].text, q(src + "/a"));
        EXPECT_EQ(asked[0].extra, q(target + "/a"));
        EXPECT_EQ(fc::read(src + "/a"), "new a");
        EXPECT_EQ(fc::lstatOf(src + "/a").st_ino, before.st_ino);
        EXPECT_EQ(fc::lstatOf(src + "/a").st_mtim.tv_nsec, before.st_mtim.tv_nsec);
        EXPECT_EQ(fc::read(target + "/a"), "old a");
        EXPECT_FALSE(fc::exists(src + "/b"));
        EXPECT_EQ(fc::read(target + "/b"), "b");
    }
}

// A move onto a volume that fills up keeps what did not fit at its source.
TEST(FileOperation, MoveOntoFullVolumeKeepsWhatDidNotFitAtItsSource)
{
    TempTree tree;
    TmpfsMount volume(tree.path("volume"), 4 * MiB);
    if (!volume.mounted())
        GTEST_SKIP() << "tmpfs cannot be mounted here";
    const QByteArray src = folder(tree, "src");
    QList<QByteArray> sources;
    for (int i = 0; i < 4; ++i) {
        sources.append(src + "/f" + QByteArray::number(i));
        fc::write(sources.back(), fc::pattern(MiB + MiB / 2, i));
    }
    const QByteArray target = volume.path().toUtf8();
    ScriptedDialogs dialogs;
    dialogs.setDefaultItemError(Dialogs::ErrorAnswer::Skip);
    FileOperation move(dialogs, qs(sources), q(target), FO_MOVE, 0);
    EXPECT_FALSE(move.run());

    int left = 0;
    for (int i = 0; i < 4; ++i) {
        const QByteArray name = "/f" + QByteArray::number(i);
        bool atTarget = false;
        const QByteArray copy = fc::read(target + name, &atTarget);
        if (atTarget) {
            EXPECT_EQ(copy, fc::pattern(MiB + MiB / 2, i));
            EXPECT_FALSE(fc::exists(src + name));
        } else {
            EXPECT_EQ(fc::read(src + name), fc::pattern(MiB + MiB / 2, i));
            ++left;
        }
    }
    EXPECT_GE(left, 1);
    EXPECT_EQ(dialogs.shown(Kind::ItemError).size(), left);
    EXPECT_FALSE(dialogs.shown(Kind::ItemError).front().extra.isEmpty()); // the reason
    EXPECT_TRUE(fc::temporaries(target).isEmpty());
    EXPECT_TRUE(fc::emptyFiles(target).isEmpty());
}

// On ext4 a copy's blocks are allocated before its data is written: the copy
// is whole and takes no more room than its source, and a file that cannot fit
// is refused at the target, leaving nothing behind and no room taken.
TEST(FileOperation, CopyOntoExt4IsWholeAndWhatCannotFitTakesNoRoom)
{
    TempTree tree;
    LoopDisk disk(QStringLiteral("ext4"), 32 * MiB, tree.folder("disk"));
    if (!disk.mounted())
        GTEST_SKIP() << "an ext4 image cannot be mounted here";
    const QByteArray src = folder(tree, "src");
    const QByteArray target = disk.path().toUtf8();
    fc::write(src + "/fits", fc::pattern(3 * MiB + 123, 1));
    fc::write(src + "/too-big", fc::pattern(40 * MiB, 2));
    ScriptedDialogs dialogs;
    FileOperation copy(dialogs, qs({src + "/fits"}), q(target), FO_COPY, 0);
    EXPECT_TRUE(copy.run());
    EXPECT_EQ(fc::read(target + "/fits"), fc::pattern(3 * MiB + 123, 1));
    struct stat source, copied;
    ASSERT_EQ(::stat((src + "/fits").constData(), &source), 0);
    ASSERT_EQ(::stat((target + "/fits").constData(), &copied), 0);
    EXPECT_EQ(copied.st_size, source.st_size);
    EXPECT_LE(copied.st_blocks, source.st_blocks);

    struct statvfs before, after;
    ASSERT_EQ(::statvfs(target.constData(), &before), 0);
    dialogs.setDefaultItemError(Dialogs::ErrorAnswer::Skip);
    FileOperation tooBig(dialogs, qs({src + "/too-big"}), q(target), FO_COPY, 0);
    EXPECT_FALSE(tooBig.run());
    ASSERT_EQ(dialogs.shown(Kind::ItemError).size(), 1);
    EXPECT_EQ(dialogs.shown(Kind::ItemError).front().text, q(target + "/too-big"));
    EXPECT_FALSE(fc::exists(target + "/too-big"));
    EXPECT_TRUE(fc::temporaries(target).isEmpty());
    ASSERT_EQ(::statvfs(target.constData(), &after), 0);
    EXPECT_EQ(after.f_bfree, before.f_bfree);
    EXPECT_EQ(tooBig.progress().bytesDone, 0);
}

// Replacing a target on a volume that fills up leaves the old target whole.
TEST(FileOperation, ReplacingWhenVolumeFillsUpKeepsOldTargetWhole)
{
    TempTree tree;
    TmpfsMount volume(tree.path("volume"), 4 * MiB);
    if (!volume.mounted())
        GTEST_SKIP() << "tmpfs cannot be mounted here";
    const QByteArray src = folder(tree, "src");
    const QByteArray target = volume.path().toUtf8();
    const QByteArray old = fc::pattern(2 * MiB + MiB / 2, 1);
    fc::write(target + "/t", old);
    fc::write(src + "/t", fc::pattern(2 * MiB, 2));
    for (int operation : {FO_COPY, FO_MOVE}) {
        SCOPED_TRACE(operation);
        ScriptedDialogs dialogs;
        dialogs.answerTargetExists(Answer::Replace);
        dialogs.setDefaultItemError(Dialogs::ErrorAnswer::Skip);
        FileOperation op(dialogs, {q(src + "/t")}, q(target), operation, 0);
        EXPECT_FALSE(op.run());
        EXPECT_EQ(dialogs.shown(Kind::ItemError).size(), 1);
        EXPECT_EQ(fc::read(target + "/t"), old);
        EXPECT_EQ(fc::read(src + "/t"), fc::pattern(2 * MiB, 2));
        EXPECT_EQ(fc::names(target), QList<QByteArray>{"t"});
    }
}

// Replacing a target that has a second hard link: the other link keeps the old content.
TEST(FileOperation, ReplacingHardLinkedTargetKeepsOtherLinkIntact)
{
    for (int operation : {FO_COPY, FO_MOVE}) {
        SCOPED_TRACE(operation);
        TempTree tree;
        const QByteArray src = folder(tree, "src");
        const QByteArray dst = folder(tree, "dst");
        fc::write(src + "/t", "new content");
        fc::write(dst + "/t", "old content");
        ASSERT_EQ(::link((dst + "/t").constData(), (dst + "/other").constData()), 0);
        ScriptedDialogs dialogs;
        dialogs.answerTargetExists(Answer::Replace);
        FileOperation op(dialogs, {q(src + "/t")}, q(dst), operation, 0);
        EXPECT_TRUE(op.run());
        EXPECT_EQ(fc::read(dst + "/t"), "new content");
        EXPECT_EQ(fc::read(dst + "/other"), "old content");
        EXPECT_EQ(fc::lstatOf(dst + "/other").st_nlink, 1u);
    }
}

// Links are copied as links; a cancelled copy leaves no zero-byte file in place of a link or a file.
TEST(FileOperation, LinksAreCopiedAsLinksAndCancelLeavesNoEmptyFile)
{
    TempTree tree;
    const QByteArray src = folder(tree, "src");
    fc::write(src + "/big", fc::pattern(3 * MiB, 7));
    ASSERT_EQ(::symlink("big", (src + "/link").constData()), 0);
    ASSERT_EQ(::symlink("/nowhere/at/all", (src + "/dangling").constData()), 0);

    {
        const QByteArray dst = folder(tree, "whole");
        ScriptedDialogs dialogs;
        FileOperation copy(dialogs, {q(src + "/link"), q(src + "/dangling"), q(src + "/big")}, q(dst), FO_COPY, 0);
        EXPECT_TRUE(copy.run());
        for (const char *name : {"/link", "/dangling"}) {
            EXPECT_TRUE(S_ISLNK(fc::lstatOf(dst + name).st_mode)) << name;
            char text[256] = {};
            ASSERT_GT(::readlink((dst + name).constData(), text, sizeof text - 1), 0);
            char original[256] = {};
            ASSERT_GT(::readlink((src + name).constData(), original, sizeof original - 1), 0);
            EXPECT_STREQ(text, original);
        }
    }
    for (const QList<QByteArray> &order :
         {QList<QByteArray>{"link", "big", "dangling"}, QList<QByteArray>{"big", "link", "dangling"}}) {
        const QByteArray dst = folder(tree, "cancelled-" + order.front());
        ScriptedDialogs dialogs;
        QStringList sources;
        for (const QByteArray &name : order)
            sources.append(q(src + '/' + name));
        FileOperation copy(dialogs, sources, q(dst), FO_COPY, 0);
        copy.setCancelAfterBytes(MiB);
        EXPECT_FALSE(copy.run());
        EXPECT_TRUE(fc::emptyFiles(dst).isEmpty());
        EXPECT_TRUE(fc::temporaries(dst).isEmpty());
        EXPECT_FALSE(fc::exists(dst + "/big"));
        EXPECT_FALSE(fc::exists(dst + "/dangling"));
        if (fc::exists(dst + "/link")) {
            EXPECT_TRUE(S_ISLNK(fc::lstatOf(dst + "/link").st_mode));
        }
    }
}

// A source removed while the operation runs: the error question, skip, the others done.
TEST(FileOperation, SourceRemovedWhileRunningIsAskedAboutAndSkipped)
{
    TempTree tree;
    TmpfsMount volume(tree.path("volume"));
    for (int operation : {FO_COPY, FO_MOVE}) {
        SCOPED_TRACE(operation);
        const QByteArray src = folder(tree, "src");
        const QByteArray dst = volume.mounted() && operation == FO_MOVE ? volume.path().toUtf8() : folder(tree, "dst");
        for (const char *name : {"/a", "/b", "/c"})
            fc::write(src + name, name);
        ScriptedDialogs dialogs;
        dialogs.setDefaultItemError(Dialogs::ErrorAnswer::Skip);
        FileOperation op(dialogs, {q(src + "/a"), q(src + "/b"), q(src + "/c")}, q(dst), operation, 0);
        op.setBeforeItem([&](const QString &source) {
            if (source.endsWith(QStringLiteral("/a")))
                ::unlink((src + "/b").constData());
        });
        EXPECT_FALSE(op.run());
        const auto asked = dialogs.shown(Kind::ItemError);
        ASSERT_EQ(asked.size(), 1);
        EXPECT_EQ(asked[0].text, q(src + "/b"));
        EXPECT_EQ(asked[0].extra, QString::fromLocal8Bit(std::strerror(ENOENT)));
        EXPECT_EQ(fc::read(dst + "/a"), "/a");
        EXPECT_EQ(fc::read(dst + "/c"), "/c");
        EXPECT_FALSE(fc::exists(dst + "/b"));
        EXPECT_EQ(fc::exists(src + "/a"), operation == FO_COPY);
        ::unlink((dst + "/a").constData());
        ::unlink((dst + "/c").constData());
        ::unlink((src + "/a").constData());
        ::unlink((src + "/c").constData());
    }
}

// Copying or moving a folder into itself is refused with a message and changes nothing.
TEST(FileOperation, FolderIntoItselfIsRefusedAndChangesNothing)
{
    TempTree tree;
    const QByteArray x = folder(tree, "x");
    folder(tree, "x/sub");
    fc::write(x + "/a", "a");
    fc::write(x + "/sub/b", "b");
    fc::write(tree.rootBytes() + "/other", "other");
    const QList<QByteArray> before = fc::snapshot(tree.rootBytes());
    const struct
    {
        int operation;
        QByteArray target;
        const char *text;
    } cases[] = {
        {FO_COPY, x, "Невозможно скопировать \"x\": конечная папка является вложенной папкой исходной папки."},
        {FO_COPY, x + "/sub", "Невозможно скопировать \"x\": конечная папка является вложенной папкой исходной папки."},
        {FO_MOVE, x + "/sub", "Невозможно переместить \"x\": конечная папка является вложенной папкой исходной папки."},
        {FO_MOVE, x + "/sub/new",
         "Невозможно переместить \"x\": конечная папка является вложенной папкой исходной папки."},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.target.constData());
        ScriptedDialogs dialogs;
        QStringList sources = {q(tree.rootBytes() + "/other"), q(x)};
        if (c.target.endsWith("/new"))
            sources = {q(x)};
        FileOperation op(dialogs, sources, q(c.target), c.operation, 0);
        EXPECT_FALSE(op.run());
        EXPECT_EQ(dialogs.messages(), QStringList{QString::fromUtf8(c.text)});
        EXPECT_EQ(fc::snapshot(tree.rootBytes()), before);
    }
}

// Names that are not valid UTF-8 survive copy and move byte for byte, with
// their modification times and permission bits.
TEST(FileOperation, InvalidUtf8NamesTimesAndPermissionsSurviveCopyAndMove)
{
    TempTree tree;
    const fc::ContentsRemover cleanup{tree.rootBytes()};
    TmpfsMount volume(tree.path("volume"), 8 * MiB);
    const QByteArray src = folder(tree, "src");
    const QByteArray dir = src + "/d\xff\xfe";
    const QByteArray file = "caf\xe9 \x80.txt";
    ASSERT_EQ(::mkdir(dir.constData(), 0755), 0);
    fc::write(dir + '/' + file, "content");
    ASSERT_EQ(::chmod((dir + '/' + file).constData(), 0604), 0);
    ASSERT_EQ(::chmod(dir.constData(), 0750), 0);
    const struct timespec fileTimes[2] = {{1000000000, 5}, {1234567890, 123456789}};
    const struct timespec dirTimes[2] = {{1000000000, 0}, {987654321, 42}};
    ASSERT_EQ(::utimensat(AT_FDCWD, (dir + '/' + file).constData(), fileTimes, 0), 0);
    ASSERT_EQ(::utimensat(AT_FDCWD, dir.constData(), dirTimes, 0), 0);

    const auto check = [&](const QByteArray &copy) {
        EXPECT_EQ(fc::names(copy), QList<QByteArray>{file});
        EXPECT_EQ(fc::read(copy + '/' + file), "content");
        const struct stat f = fc::lstatOf(copy + '/' + file);
        const struct stat d = fc::lstatOf(copy);
        EXPECT_EQ(f.st_mode & 07777, 0604u);
        EXPECT_EQ(d.st_mode & 07777, 0750u);
        EXPECT_EQ(f.st_mtim.tv_sec, 1234567890);
        EXPECT_EQ(f.st_mtim.tv_nsec, 123456789);
        EXPECT_EQ(d.st_mtim.tv_sec, 987654321);
        EXPECT_EQ(d.st_mtim.tv_nsec, 42);
    };
    ScriptedDialogs dialogs;
    const QByteArray copied = folder(tree, "copied");
    EXPECT_TRUE(FileOperation(dialogs, {q(dir)}, q(copied), FO_COPY, 0).run());
    EXPECT_EQ(fc::names(copied), QList<QByteArray>{"d\xff\xfe"});
    check(copied + "/d\xff\xfe");

    // A move to another volume copies; inside one volume it renames.
    const QByteArray moved = volume.mounted() ? volume.path().toUtf8() : folder(tree, "moved");
    EXPECT_TRUE(FileOperation(dialogs, {q(dir)}, q(moved), FO_MOVE, 0).run());
    EXPECT_FALSE(fc::exists(dir));
    check(moved + "/d\xff\xfe");
    const ino_t inode = fc::lstatOf(copied + "/d\xff\xfe").st_ino;
    EXPECT_TRUE(FileOperation(dialogs, {q(copied + "/d\xff\xfe")}, q(src + "/renamed\xe9"), FO_MOVE, 0).run());
    EXPECT_EQ(fc::lstatOf(src + "/renamed\xe9").st_ino, inode);
    check(src + "/renamed\xe9");
    EXPECT_TRUE(dialogs.shown().isEmpty());
}

// The answers to "target exists": replace all covers later conflicts, cancel
// stops everything, and with FOF_RENAMEONCOLLISION no question is asked.
TEST(FileOperation, TargetExistsAnswers)
{
    const struct
    {
        const char *name;
        Answer answer;
        int flags;
        bool result;
        int questions;
        QList<QByteArray> names;
        QByteArray a;
    } cases[] = {
        {"replace all", Answer::ReplaceAll, 0, true, 1, {"a", "b", "c"}, "new a"},
        {"replace", Answer::Replace, 0, true, 2, {"a", "b", "c"}, "new a"},
        {"skip", Answer::Skip, 0, false, 2, {"a", "b", "c"}, "old a"},
        {"cancel", Answer::Cancel, 0, false, 1, {"a", "b"}, "old a"},
        {"rename", Answer::Cancel, FOF_RENAMEONCOLLISION, true, 0, {"a", "a (2)", "b", "b (2)", "c"}, "old a"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        TempTree tree;
        const QByteArray src = folder(tree, "src");
        const QByteArray dst = folder(tree, "dst");
        for (const char *name : {"/a", "/b", "/c"})
            fc::write(src + name, QByteArray("new ") + (name + 1));
        fc::write(dst + "/a", "old a");
        fc::write(dst + "/b", "old b");
        ScriptedDialogs dialogs;
        dialogs.answerTargetExists(c.answer);
        dialogs.answerTargetExists(c.answer);
        FileOperation copy(dialogs, {q(src + "/a"), q(src + "/b"), q(src + "/c")}, q(dst), FO_COPY, c.flags);
        EXPECT_EQ(copy.run(), c.result);
        EXPECT_EQ(dialogs.shown(Kind::TargetExists).size(), c.questions);
        EXPECT_EQ(fc::names(dst), c.names);
        EXPECT_EQ(fc::read(dst + "/a"), c.a);
        EXPECT_EQ(fc::names(src), (QList<QByteArray>{"a", "b", "c"}));
        EXPECT_TRUE(fc::temporaries(dst).isEmpty());
    }
}

// One source and a target that names a new path: the copy gets that name. A
// copy into the source's own folder gets a numbered name; folders copy whole.
TEST(FileOperation, CopyUnderNewNameAndIntoOwnFolder)
{
    TempTree tree;
    const QByteArray src = folder(tree, "src");
    folder(tree, "src/tree");
    folder(tree, "src/tree/deep");
    fc::write(src + "/tree/deep/f.txt", "deep");
    fc::write(src + "/one.txt", "one");
    ScriptedDialogs dialogs;
    EXPECT_TRUE(FileOperation(dialogs, {q(src + "/one.txt")}, q(src + "/two.txt"), FO_COPY, 0).run());
    EXPECT_EQ(fc::read(src + "/two.txt"), "one");
    EXPECT_TRUE(FileOperation(dialogs, {q(src + "/one.txt"), q(src + "/tree")}, q(src + '/'), FO_COPY, 0).run());
    EXPECT_EQ(fc::read(src + "/one (2).txt"), "one");
    EXPECT_EQ(fc::read(src + "/tree (2)/deep/f.txt"), "deep");
    // Several sources into a folder that is not there yet: it is made.
    EXPECT_TRUE(FileOperation(dialogs, {q(src + "/one.txt"), q(src + "/tree")}, q(src + "/new"), FO_COPY, 0).run());
    EXPECT_EQ(fc::read(src + "/new/tree/deep/f.txt"), "deep");
    EXPECT_TRUE(dialogs.shown().isEmpty());
    EXPECT_FALSE(FileOperation(dialogs, {q(src + "/missing")}, q(src + "/new"), FO_COPY, 0).run());
    EXPECT_EQ(dialogs.shown(Kind::ItemError).size(), 1);
}

TEST(FileOperation, CollisionNames)
{
    const struct
    {
        QByteArray name;
        bool folder;
        QByteArray second;
    } cases[] = {
        {"name.ext", false, "name (2).ext"}, {"archive.tar.gz", false, "archive.tar (2).gz"},
        {".profile", false, ".profile (2)"}, {"plain", false, "plain (2)"},
        {"dir.d", true, "dir.d (2)"},        {"caf\xe9.txt", false, "caf\xe9 (2).txt"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(FileOperation::collisionName(c.name, 2, c.folder), c.second);
    EXPECT_EQ(FileOperation::collisionName("name.ext", 3, false), "name (3).ext");
    // A numbered name that would pass the 255 bytes of a name is shortened
    // before its extension, never inside a character.
    const QByteArray longStem = QByteArray(250, 'a');
    EXPECT_EQ(FileOperation::collisionName(longStem + ".txt", 2, false), QByteArray(247, 'a') + " (2).txt");
    const QByteArray cyrillic = QByteArray("\xd0\xb6").repeated(125); // 250 bytes of "ж"
    EXPECT_EQ(FileOperation::collisionName(cyrillic + ".txt", 2, false),
              QByteArray("\xd0\xb6").repeated(123) + " (2).txt");
    EXPECT_EQ(FileOperation::collisionName("x." + QByteArray(253, 'e'), 2, false),
              "x." + QByteArray(249, 'e') + " (2)");
}

// Renaming onto an existing name picks "name (2).ext", "name (3).ext", ...
TEST(FileOperation, RenameOntoExistingNamePicksNumberedName)
{
    TempTree tree;
    const QByteArray root = tree.rootBytes();
    fc::write(root + "/name.ext", "taken");
    fc::write(root + "/a.ext", "first");
    fc::write(root + "/b.ext", "second");
    folder(tree, "dir");
    folder(tree, "other");
    ScriptedDialogs dialogs;
    EXPECT_EQ(ShellRename(dialogs, q(root + "/a.ext"), q(root + "/name.ext")), 0);
    EXPECT_EQ(ShellRename(dialogs, q(root + "/b.ext"), q(root + "/name.ext")), 0);
    EXPECT_EQ(ShellRename(dialogs, q(root + "/other"), q(root + "/dir")), 0);
    EXPECT_EQ(fc::names(root), (QList<QByteArray>{"dir", "dir (2)", "name (2).ext", "name (3).ext", "name.ext"}));
    EXPECT_EQ(fc::read(root + "/name.ext"), "taken");
    EXPECT_EQ(fc::read(root + "/name (2).ext"), "first");
    EXPECT_EQ(fc::read(root + "/name (3).ext"), "second");
    // Only the letter case changes: a plain rename.
    EXPECT_EQ(ShellRename(dialogs, q(root + "/name.ext"), q(root + "/Name.EXT")), 0);
    EXPECT_EQ(fc::read(root + "/Name.EXT"), "taken");
    EXPECT_NE(ShellRename(dialogs, q(root + "/missing"), q(root + "/x")), 0);
    EXPECT_EQ(dialogs.shown(Kind::ItemError).size(), 1);
    EXPECT_TRUE(dialogs.shown(Kind::TargetExists).isEmpty());
}

// Paths longer than 254 characters, and longer than the kernel's own limit, rename.
TEST(FileOperation, RenameWorksOnPathsOfAnyLength)
{
    TempTree tree;
    const fc::ContentsRemover cleanup{tree.rootBytes()};
    QByteArray path = tree.rootBytes();
    int at = ::open(path.constData(), O_RDONLY | O_DIRECTORY);
    ASSERT_GE(at, 0);
    const QByteArray component(200, 'n');
    for (int depth = 0; depth < 25; ++depth) {
        ASSERT_EQ(::mkdirat(at, component.constData(), 0755), 0);
        const int next = ::openat(at, component.constData(), O_RDONLY | O_DIRECTORY);
        ::close(at);
        ASSERT_GE(next, 0);
        at = next;
        path += '/' + component;
    }
    const int fd = ::openat(at, "old", O_WRONLY | O_CREAT, 0644);
    ASSERT_GE(fd, 0);
    ::close(fd);
    ASSERT_GT(path.size(), PATH_MAX);
    ScriptedDialogs dialogs;
    EXPECT_EQ(ShellRename(dialogs, q(path + "/old"), q(path + "/new")), 0);
    struct stat st;
    EXPECT_EQ(::fstatat(at, "new", &st, 0), 0);
    EXPECT_NE(::fstatat(at, "old", &st, 0), 0);
    ::close(at);

    const QByteArray shortRoot = tree.rootBytes() + '/' + component; // about 260 characters
    fc::write(shortRoot + "/f", "f");
    EXPECT_EQ(ShellRename(dialogs, q(shortRoot + "/f"), q(shortRoot + "/g")), 0);
    EXPECT_EQ(fc::read(shortRoot + "/g"), "f");
    EXPECT_TRUE(dialogs.shown().isEmpty());
}

// Delete for good: a folder that cannot be fully deleted is reported and the rest is deleted.
TEST(FileOperation, DeleteForGoodReportsWhatCannotGoAndDeletesTheRest)
{
    TempTree tree;
    const fc::ContentsRemover cleanup{tree.rootBytes()};
    const QByteArray x = folder(tree, "x");
    folder(tree, "x/sub");
    fc::write(x + "/a", "a");
    fc::write(x + "/sub/b\xff", "b");
    fc::write(tree.rootBytes() + "/loose\xe9", "c");
    TmpfsMount busy(tree.path("x/busy"));
    if (!busy.mounted())
        GTEST_SKIP() << "tmpfs cannot be mounted here";
    ScriptedDialogs dialogs;
    dialogs.setDefaultItemError(Dialogs::ErrorAnswer::Skip);
    FileOperation remove(dialogs, {q(x), q(tree.rootBytes() + "/loose\xe9")}, {}, FO_DELETE, FOF_MULTIDESTFILES);
    EXPECT_FALSE(remove.run());
    const auto asked = dialogs.shown(Kind::ItemError);
    ASSERT_EQ(asked.size(), 1);
    EXPECT_EQ(asked[0].text, q(x + "/busy"));
    EXPECT_EQ(fc::names(x), QList<QByteArray>{"busy"});
    EXPECT_EQ(fc::names(tree.rootBytes()), QList<QByteArray>{"x"});

    busy.unmount();
    dialogs.clear();
    EXPECT_TRUE(FileOperation(dialogs, {q(x)}, {}, FO_DELETE, 0x0001).run());
    EXPECT_TRUE(fc::names(tree.rootBytes()).isEmpty());
    EXPECT_TRUE(dialogs.shown().isEmpty());
}

// ShellFileOperation runs on a worker thread and reports the outcome.
TEST(FileOperation, ShellFileOperationReportsSuccessAndFailure)
{
    TempTree tree;
    const QByteArray src = folder(tree, "src");
    const QByteArray dst = folder(tree, "dst");
    fc::write(src + "/f", "f");
    ScriptedDialogs dialogs;
    EXPECT_TRUE(ShellFileOperation(dialogs, {q(src + "/f")}, q(dst + '/'), FO_COPY, 0));
    EXPECT_FALSE(ShellFileOperation(dialogs, {q(src + "/f")}, q(dst + '/'), FO_COPY, 0)); // exists: cancel
    EXPECT_TRUE(ShellFileOperation(dialogs, {q(dst + "/f")}, {}, FO_DELETE, FOF_MULTIDESTFILES));
    EXPECT_FALSE(fc::exists(dst + "/f"));
    EXPECT_FALSE(ShellFileOperation(dialogs, {}, q(dst), FO_COPY, 0));
    EXPECT_FALSE(ShellFileOperation(dialogs, {q(src + "/f")}, q(dst), 9, 0));
}

// A sparse file larger than 4 GiB is copied with its holes, not written out.
TEST(FileOperation, SparseFileOver4GiBStaysSparse)
{
    TempTree tree;
    const QByteArray src = folder(tree, "src");
    const QByteArray dst = folder(tree, "dst");
    const qint64 size = 5 * 1024 * MiB;
    const int fd = ::open((src + "/sparse").constData(), O_WRONLY | O_CREAT, 0644);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::ftruncate(fd, size), 0);
    ASSERT_EQ(::pwrite(fd, "start", 5, MiB), 5);
    ASSERT_EQ(::pwrite(fd, "end", 3, size - 3), 3);
    ::close(fd);
    ScriptedDialogs dialogs;
    FileOperation copying(dialogs, {q(src + "/sparse")}, q(dst), FO_COPY, 0);
    EXPECT_TRUE(copying.run());
    // The holes are not counted either, so the progress reaches its end.
    EXPECT_EQ(copying.progress().bytesDone, copying.progress().bytesTotal);
    const struct stat copy = fc::lstatOf(dst + "/sparse");
    EXPECT_EQ(copy.st_size, size);
    EXPECT_LT(copy.st_blocks * 512, 16 * MiB);
    const int in = ::open((dst + "/sparse").constData(), O_RDONLY);
    ASSERT_GE(in, 0);
    char start[5] = {}, end[3] = {}, hole[4] = {1, 1, 1, 1};
    EXPECT_EQ(::pread(in, start, 5, MiB), 5);
    EXPECT_EQ(::pread(in, end, 3, size - 3), 3);
    EXPECT_EQ(::pread(in, hole, 4, 3 * 1024 * MiB), 4);
    ::close(in);
    EXPECT_EQ(QByteArray(start, 5), "start");
    EXPECT_EQ(QByteArray(end, 3), "end");
    EXPECT_EQ(QByteArray(hole, 4), QByteArray(4, '\0'));
}
