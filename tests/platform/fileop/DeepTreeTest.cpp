#include "FileCheck.h"

#include "platform/NativePath.h"
#include "platform/ScriptedDialogs.h"
#include "platform/UniqueFd.h"
#include "platform/fileop/FileOperation.h"
#include "support/TempTree.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace quil;
using Kind = ScriptedDialogs::Kind;
namespace fc = filecheck;

namespace {

constexpr int kDepth = 12000;

// Makes root/d/d/.../d (depth levels) with a file "f" at the bottom; the
// path is far longer than the kernel takes at once, so it is built by descriptors.
void makeChain(const QByteArray &root, int depth)
{
    UniqueFd at(::open(root.constData(), O_RDONLY | O_DIRECTORY));
    ASSERT_TRUE(at.valid());
    for (int level = 0; level < depth; ++level) {
        ASSERT_EQ(::mkdirat(at.get(), "d", 0755), 0);
        at = UniqueFd(::openat(at.get(), "d", O_RDONLY | O_DIRECTORY));
        ASSERT_TRUE(at.valid());
    }
    UniqueFd file(::openat(at.get(), "f", O_WRONLY | O_CREAT, 0644));
    ASSERT_TRUE(file.valid());
    ASSERT_EQ(::write(file.get(), "bottom", 6), 6);
}

// The number of "d" levels below root and the content of the file at the bottom.
std::pair<int, QByteArray> chainOf(const QByteArray &root)
{
    UniqueFd at(::open(root.constData(), O_RDONLY | O_DIRECTORY));
    int depth = 0;
    for (;;) {
        UniqueFd next(::openat(at.get(), "d", O_RDONLY | O_DIRECTORY | O_NOFOLLOW));
        if (!next.valid())
            break;
        at = std::move(next);
        ++depth;
    }
    char content[16] = {};
    UniqueFd file(::openat(at.get(), "f", O_RDONLY));
    const ssize_t n = file.valid() ? ::read(file.get(), content, sizeof content) : 0;
    return {depth, QByteArray(content, int(std::max<ssize_t>(n, 0)))};
}

} // namespace

// Each level of a tree once took a level of the worker's stack: a deep tree
// crashed the copy, and a move across volumes stopped half way. (On tmpfs:
// ext4 makes deeply nested folders slowly, whoever makes them.)
TEST(FileOperationDeepTree, CopiedMovedAcrossVolumesAndDeletedWhole)
{
    TempTree tree;
    TmpfsMount here(tree.path("here"), 256 * 1024 * 1024);
    TmpfsMount other(tree.path("other"), 256 * 1024 * 1024);
    if (!here.mounted() || !other.mounted())
        GTEST_SKIP() << "tmpfs cannot be mounted here";
    const QByteArray src = tree.folder("here/src").toUtf8();
    const QByteArray copy = tree.folder("here/copy").toUtf8();
    const QByteArray moved = other.path().toUtf8();
    makeChain(src, kDepth);
    ScriptedDialogs dialogs;

    FileOperation copying(dialogs, {fromNative(src + "/d")}, fromNative(copy), FO_COPY, 0);
    EXPECT_TRUE(copying.run());
    EXPECT_EQ(chainOf(copy), std::make_pair(kDepth, QByteArray("bottom")));
    EXPECT_EQ(copying.progress().itemsDone, copying.progress().itemsTotal);

    EXPECT_TRUE(FileOperation(dialogs, {fromNative(copy + "/d")}, fromNative(moved), FO_MOVE, 0).run());
    EXPECT_EQ(chainOf(moved), std::make_pair(kDepth, QByteArray("bottom")));
    EXPECT_FALSE(fc::exists(copy + "/d"));

    for (const QByteArray &root : {src, moved}) {
        EXPECT_TRUE(FileOperation(dialogs, {fromNative(root + "/d")}, QString(), FO_DELETE, 0).run());
        EXPECT_FALSE(fc::exists(root + "/d"));
    }
    EXPECT_TRUE(dialogs.shown().isEmpty());
}

// Through a bind mount of its own subfolder a folder's copy would land inside
// the folder being copied and copy itself again without end.
TEST(FileOperationDeepTree, FolderIntoBindMountOfItsSubfolderIsRefused)
{
    TempTree tree;
    const QByteArray a = tree.folder("a").toUtf8();
    tree.folder("a/sub");
    tree.file("a/file.txt", "data");
    const QByteArray bind = tree.folder("bind").toUtf8();
    if (::mount((a + "/sub").constData(), bind.constData(), nullptr, MS_BIND, nullptr) != 0)
        GTEST_SKIP() << "bind mounts are not allowed here";
    const QList<QByteArray> before = fc::snapshot(a);
    for (const int operation : {FO_COPY, FO_MOVE}) {
        ScriptedDialogs dialogs;
        EXPECT_FALSE(FileOperation(dialogs, {fromNative(a)}, fromNative(bind), operation, 0).run());
        EXPECT_EQ(dialogs.shown(Kind::Message).size(), 1);
        EXPECT_EQ(fc::snapshot(a), before);
    }
    ::umount2(bind.constData(), MNT_DETACH);
}
