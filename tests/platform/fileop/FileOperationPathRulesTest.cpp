// The file operation's rules for the paths it is given: bytes, absolute
// names, trailing slashes, links onto themselves and special files.
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
#include <tuple>
#include <unistd.h>

using namespace quil;
using Answer = Dialogs::TargetExistsAnswer;
using Kind = ScriptedDialogs::Kind;
namespace fc = filecheck;
using fc::folder;
using fc::q;

using fc::MiB;

// A path holding a zero byte would reach the system cut short, naming another
// item: it is refused and that other item is left alone.
TEST(FileOperation, PathWithZeroByteIsRefused)
{
    TempTree tree;
    const QByteArray src = folder(tree, "src");
    const QByteArray dst = folder(tree, "dst");
    fc::write(src + "/a", "a");
    const QString cut = q(src + "/a") + QChar(0) + QStringLiteral("b");
    for (const auto &[operation, flags, target] :
         {std::tuple{FO_DELETE, FOF_MULTIDESTFILES, QString()}, std::tuple{FO_DELETE, FOF_ALLOWUNDO, QString()},
          std::tuple{FO_MOVE, 0, q(dst)}, std::tuple{FO_RENAME, 0, q(dst + "/x")}}) {
        SCOPED_TRACE(operation);
        ScriptedDialogs dialogs;
        dialogs.setDefaultItemError(Dialogs::ErrorAnswer::Skip);
        EXPECT_FALSE(FileOperation(dialogs, {cut}, target, operation, flags).run());
        EXPECT_EQ(dialogs.shown(Kind::ItemError).size(), 1);
        EXPECT_EQ(fc::read(src + "/a"), "a");
    }
    ScriptedDialogs dialogs;
    EXPECT_FALSE(FileOperation(dialogs, {q(src + "/a")}, q(dst) + QChar(0) + QStringLiteral("x"), FO_MOVE, 0).run());
    EXPECT_EQ(fc::read(src + "/a"), "a");
    EXPECT_TRUE(fc::names(dst).isEmpty());
}

// A virtual item's name ("computer:///media") is no path: read from the
// current folder it would name that folder's "computer:" entry. It is refused.
TEST(FileOperation, NameThatIsNotAnAbsolutePathIsRefused)
{
    TempTree tree;
    const QByteArray here = folder(tree, "computer:");
    fc::write(here + "/media", "kept");
    const QString previous = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(tree.root()));
    for (const int flags : {FOF_MULTIDESTFILES, FOF_ALLOWUNDO}) {
        ScriptedDialogs dialogs;
        dialogs.setDefaultItemError(Dialogs::ErrorAnswer::Skip);
        EXPECT_FALSE(FileOperation(dialogs, {QStringLiteral("computer:///media")}, QString(), FO_DELETE, flags).run());
        EXPECT_EQ(dialogs.shown(Kind::ItemError).size(), 1);
    }
    QDir::setCurrent(previous);
    EXPECT_EQ(fc::read(here + "/media"), "kept");
}

// An empty source or target names no item (read from the current folder it
// would name that folder): refused, and the current folder is left alone.
TEST(FileOperation, EmptyPathIsRefused)
{
    TempTree tree;
    const QByteArray here = folder(tree, "here");
    const QByteArray dst = folder(tree, "dst");
    fc::write(here + "/a", "a");
    const QString previous = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(q(here)));
    for (const auto &[operation, flags, source, target] :
         {std::tuple{FO_DELETE, FOF_MULTIDESTFILES, QString(), QString()},
          std::tuple{FO_DELETE, FOF_ALLOWUNDO, QString(), QString()}, std::tuple{FO_MOVE, 0, QString(), q(dst)},
          std::tuple{FO_COPY, 0, QString(), q(dst)}, std::tuple{FO_RENAME, 0, QString(), q(dst + "/x")},
          std::tuple{FO_MOVE, 0, q(here + "/a"), QString()}, std::tuple{FO_COPY, 0, q(here + "/a"), QString()},
          std::tuple{FO_RENAME, 0, q(here + "/a"), QString()}}) {
        SCOPED_TRACE(operation);
        ScriptedDialogs dialogs;
        dialogs.setDefaultItemError(Dialogs::ErrorAnswer::Skip);
        EXPECT_FALSE(FileOperation(dialogs, {source}, target, operation, flags).run());
        EXPECT_EQ(fc::read(here + "/a"), "a");
    }
    QDir::setCurrent(previous);
    EXPECT_TRUE(fc::names(dst).isEmpty());
}

// A copy belongs to whoever makes it: set-user-ID and set-group-ID bits are
// kept only when that is the original's owner (a root copy of a user's
// set-user-ID program must not run as root).
TEST(FileOperation, SetIdBitsStayOnlyWithTheirOwner)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "needs root to give a file to another user";
    TempTree tree;
    const QByteArray src = folder(tree, "src");
    const QByteArray dst = folder(tree, "dst");
    fc::write(src + "/theirs", "x");
    fc::write(src + "/mine", "x");
    ASSERT_EQ(::chown((src + "/theirs").constData(), 1234, 1234), 0);
    ASSERT_EQ(::chmod((src + "/theirs").constData(), 06755), 0);
    ASSERT_EQ(::chmod((src + "/mine").constData(), 06755), 0);
    ScriptedDialogs dialogs;
    EXPECT_TRUE(FileOperation(dialogs, {q(src + "/theirs"), q(src + "/mine")}, q(dst), FO_COPY, 0).run());
    EXPECT_EQ(fc::lstatOf(dst + "/theirs").st_mode & 07777, 0755u);
    EXPECT_EQ(fc::lstatOf(dst + "/mine").st_mode & 07777, 06755u);
}

// A link copied or moved over the file it leads to is refused, whatever the
// answer to the replace question; the file stays whole and no link to itself
// is left.
TEST(FileOperation, LinkOverItsOwnTargetIsRefused)
{
    struct Row
    {
        const char *what;
        int operation;
        bool intoFolder;
    } rows[] = {{"copy into the folder", FO_COPY, true},
                {"copy onto the target", FO_COPY, false},
                {"move into the folder", FO_MOVE, true},
                {"rename onto the target", FO_RENAME, false}};
    for (const Row &row : rows) {
        SCOPED_TRACE(row.what);
        TempTree tree;
        const QByteArray photos = folder(tree, "photos");
        const QByteArray links = folder(tree, "links");
        fc::write(photos + "/p.jpg", "picture");
        ASSERT_EQ(::symlink((photos + "/p.jpg").constData(), (links + "/p.jpg").constData()), 0);
        ScriptedDialogs dialogs;
        dialogs.setDefaultTargetExists(Answer::ReplaceAll);
        dialogs.setDefaultItemError(Dialogs::ErrorAnswer::Skip);
        FileOperation op(dialogs, {q(links + "/p.jpg")}, q(row.intoFolder ? photos : photos + "/p.jpg"), row.operation,
                         0);
        EXPECT_FALSE(op.run());
        EXPECT_EQ(fc::lstatOf(photos + "/p.jpg").st_mode & S_IFMT, mode_t(S_IFREG));
        EXPECT_EQ(fc::read(photos + "/p.jpg"), "picture");
        const auto asked = dialogs.shown(Kind::ItemError);
        ASSERT_EQ(asked.size(), 1);
        EXPECT_EQ(asked[0].text, q(photos + "/p.jpg"));
        EXPECT_EQ(fc::lstatOf(links + "/p.jpg").st_mode & S_IFMT, mode_t(S_IFLNK));
    }
}

// A source replaced (saved by rename) or written in place while its copy to
// another volume runs is kept, reported, and the move fails; the change is
// made from the progress of the copy itself.
TEST(FileOperation, CrossVolumeMoveKeepsASourceChangedDuringItsCopy)
{
    for (const bool swap : {true, false}) {
        SCOPED_TRACE(swap ? "swapped" : "changed in place");
        TempTree tree;
        TmpfsMount volume(tree.path("volume"), 8 * MiB);
        if (!volume.mounted())
            GTEST_SKIP() << "tmpfs cannot be mounted here";
        const QByteArray src = folder(tree, "src");
        const QByteArray file = src + "/doc";
        fc::write(file, fc::pattern(MiB, 1));
        const QByteArray newer = fc::pattern(MiB, 2) + "more";
        ScriptedDialogs dialogs;
        dialogs.setDefaultItemError(Dialogs::ErrorAnswer::Skip);
        FileOperation move(dialogs, {q(file)}, q(volume.path().toUtf8()), FO_MOVE, 0);
        bool changed = false;
        move.setAfterBytes([&](qint64) {
            if (std::exchange(changed, true))
                return;
            if (swap) {
                fc::write(src + "/doc.new", newer);
                ::rename((src + "/doc.new").constData(), file.constData());
            } else {
                const int fd = ::open(file.constData(), O_WRONLY | O_APPEND);
                ASSERT_EQ(::write(fd, "more", 4), 4);
                ::close(fd);
            }
        });
        EXPECT_FALSE(move.run());
        EXPECT_TRUE(changed);
        EXPECT_EQ(fc::read(file), swap ? newer : fc::pattern(MiB, 1) + "more");
        EXPECT_EQ(dialogs.shown(Kind::ItemError).size(), 1);
        EXPECT_EQ(dialogs.shown(Kind::ItemError).value(0).text, q(file));
    }
}

// A source written while its copy runs would leave a copy of old and new
// content mixed: that item's error, whose Retry copies the file as it now is.
// In a folder the copy made (files copied two at a time) a file written
// meanwhile is copied again as it now is.
TEST(FileOperation, SourceWrittenDuringItsCopyIsCopiedAgainOrReported)
{
    const auto append = [](const QByteArray &path) {
        const int fd = ::open(path.constData(), O_WRONLY | O_APPEND);
        ASSERT_EQ(::write(fd, "more", 4), 4);
        ::close(fd);
    };
    for (const auto answer : {Dialogs::ErrorAnswer::Skip, Dialogs::ErrorAnswer::Retry}) {
        TempTree tree;
        const QByteArray file = folder(tree, "src") + "/doc";
        const QByteArray dst = folder(tree, "dst");
        fc::write(file, fc::pattern(MiB, 1));
        ScriptedDialogs dialogs;
        dialogs.answerItemError(answer);
        FileOperation copy(dialogs, {q(file)}, q(dst), FO_COPY, 0);
        bool changed = false;
        copy.setAfterBytes([&](qint64) {
            if (!std::exchange(changed, true))
                append(file);
        });
        EXPECT_EQ(copy.run(), answer == Dialogs::ErrorAnswer::Retry);
        ASSERT_EQ(dialogs.shown(Kind::ItemError).size(), 1);
        EXPECT_TRUE(
            dialogs.shown(Kind::ItemError).value(0).extra.contains(QStringLiteral("изменился во время копирования")));
        if (answer == Dialogs::ErrorAnswer::Retry)
            EXPECT_EQ(fc::read(dst + "/doc"), fc::pattern(MiB, 1) + "more");
        else
            EXPECT_FALSE(fc::exists(dst + "/doc"));
    }

    TempTree tree;
    const QByteArray src = folder(tree, "tree");
    const QByteArray dst = folder(tree, "dst");
    for (int i = 0; i < 8; ++i)
        fc::write(src + "/f" + QByteArray::number(i), fc::pattern(MiB / 4, i));
    ScriptedDialogs dialogs;
    FileOperation copy(dialogs, {q(src)}, q(dst), FO_COPY, 0);
    bool changed = false;
    copy.setAfterBytes([&](qint64) {
        if (!std::exchange(changed, true))
            for (int i = 0; i < 8; ++i)
                append(src + "/f" + QByteArray::number(i));
    });
    EXPECT_TRUE(copy.run());
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(fc::read(dst + "/tree/f" + QByteArray::number(i)), fc::pattern(MiB / 4, i) + "more") << i;
}

// Files of /proc and /sys, whose sizes say nothing of their content, copy byte for byte.
TEST(FileOperation, SystemFilesCopyByteForByte)
{
    TempTree tree;
    const QByteArray target = folder(tree, "copies");
    int copied = 0;
    for (const QByteArray path : {"/sys/devices/system/cpu/online", "/sys/kernel/mm/transparent_hugepage/enabled",
                                  "/proc/sys/kernel/ostype", "/proc/version"}) {
        if (!fc::exists(path))
            continue;
        SCOPED_TRACE(path.constData());
        ScriptedDialogs dialogs;
        FileOperation copy(dialogs, {q(path)}, q(target), FO_COPY, 0);
        EXPECT_TRUE(copy.run());
        EXPECT_EQ(fc::read(target + '/' + path.mid(path.lastIndexOf('/') + 1)), fc::read(path));
        ++copied;
    }
    if (copied == 0)
        GTEST_SKIP() << "no /proc or /sys file here";
}

// A target written with a trailing "/" is a folder: made when missing, and
// a file is not renamed to it.
TEST(FileOperation, TrailingSlashTargetIsAFolder)
{
    TempTree tree;
    const QByteArray root = folder(tree, "root");
    fc::write(root + "/f", "f");
    ScriptedDialogs dialogs;
    FileOperation copy(dialogs, {q(root + "/f")}, q(root + "/newdir/"), FO_COPY, 0);
    EXPECT_TRUE(copy.run());
    EXPECT_EQ(fc::read(root + "/newdir/f"), "f");

    folder(tree, "root/d");
    dialogs.setDefaultItemError(Dialogs::ErrorAnswer::Skip);
    FileOperation rename(dialogs, {q(root + "/f")}, q(root + "/d/"), FO_RENAME, 0);
    EXPECT_FALSE(rename.run());
    EXPECT_EQ(fc::names(root), (QList<QByteArray>{"d", "f", "newdir"}));
    EXPECT_TRUE(fc::names(root + "/d").isEmpty());
}

// A source written with a trailing "/" names a folder: a file so named is
// refused and kept, as rm, cp and mv refuse it (ENOTDIR); a folder is done.
TEST(FileOperation, TrailingSlashSourceMustBeAFolder)
{
    struct Case
    {
        const char *name;
        int operation;
        int flags;
    };
    const Case cases[] = {
        {"delete", FO_DELETE, FOF_MULTIDESTFILES},
        {"copy", FO_COPY, 0},
        {"move", FO_MOVE, 0},
        {"rename", FO_RENAME, 0},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        TempTree tree;
        const QByteArray src = folder(tree, "src");
        const QByteArray dst = folder(tree, "dst");
        fc::write(src + "/f", "f");
        folder(tree, "src/d");
        const QByteArray target = c.operation == FO_RENAME ? dst + "/g" : dst;

        ScriptedDialogs dialogs;
        dialogs.setDefaultItemError(Dialogs::ErrorAnswer::Skip);
        EXPECT_FALSE(FileOperation(dialogs, {q(src + "/f/")}, q(target), c.operation, c.flags).run());
        const auto asked = dialogs.shown(Kind::ItemError);
        ASSERT_EQ(asked.size(), 1);
        EXPECT_EQ(asked[0].text, q(src + "/f"));
        EXPECT_EQ(asked[0].extra, QString::fromLocal8Bit(strerror(ENOTDIR)));
        EXPECT_EQ(fc::read(src + "/f"), "f");
        EXPECT_TRUE(fc::names(dst).isEmpty());

        dialogs.clear();
        EXPECT_TRUE(FileOperation(dialogs, {q(src + "/d/")}, q(target), c.operation, c.flags).run());
        EXPECT_TRUE(dialogs.shown().isEmpty());
        EXPECT_EQ(fc::exists(src + "/d"), c.operation == FO_COPY);
    }
}
