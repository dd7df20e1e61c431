#include "platform/PosixIo.h"
#include "platform/BytePath.h"

#include "support/TempTree.h"

#include <gtest/gtest.h>

#include <climits>
#include <fcntl.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

using namespace quil;

TEST(BytePath, Table)
{
    struct Row
    {
        const char *path, *stripped, *name, *parent;
    };
    const Row rows[] = {
        {"/", "/", "", "/"},
        {"//", "/", "", "/"},
        {"/a", "/a", "a", "/"},
        {"/a/b/", "/a/b", "b", "/a"},
        {"/a/b///", "/a/b", "b", "/a"},
        {"b", "b", "b", "."},
        {"/a/\xFF\xFE", "/a/\xFF\xFE", "\xFF\xFE", "/a"},
    };
    for (const Row &row : rows) {
        EXPECT_EQ(bytepath::stripTrailingSlashes(row.path), QByteArray(row.stripped)) << row.path;
        EXPECT_EQ(bytepath::fileName(row.path), QByteArray(row.name)) << row.path;
        EXPECT_EQ(bytepath::parent(row.path), QByteArray(row.parent)) << row.path;
    }
    EXPECT_EQ(bytepath::join("/", "x"), QByteArray("/x"));
    EXPECT_EQ(bytepath::join("/a", "x"), QByteArray("/a/x"));
    EXPECT_EQ(bytepath::join("/a/", "x"), QByteArray("/a/x"));
    for (const QByteArray &bad :
         {QByteArray(), QByteArray("."), QByteArray(".."), QByteArray("a/b"), QByteArray("a\0b", 3)})
        EXPECT_TRUE(bytepath::isBadName(bad)) << bad.toHex().constData();
    EXPECT_FALSE(bytepath::isBadName("...")) << "three dots are an ordinary name";
}

TEST(BytePath, AtOrBelowTakesWholeNames)
{
    EXPECT_TRUE(bytepath::isAtOrBelow("/a/b", "/a/b"));
    EXPECT_TRUE(bytepath::isAtOrBelow("/a/b/c", "/a/b"));
    EXPECT_FALSE(bytepath::isAtOrBelow("/a/bc", "/a/b"));
    EXPECT_FALSE(bytepath::isAtOrBelow("/a", "/a/b"));
    EXPECT_TRUE(bytepath::isAtOrBelow("/anything", "/"));
    EXPECT_FALSE(bytepath::isAtOrBelow("relative", "/"));
}

// A pipe delivers what its writer wrote in pieces: one call of read() would stop short.
TEST(PosixIo, ReadFullContinuesShortReads)
{
    int ends[2];
    ASSERT_EQ(::pipe(ends), 0);
    UniqueFd in(ends[0]);
    std::jthread writer([out = ends[1]] {
        for (int piece = 0; piece < 8; ++piece) {
            const char bytes[3] = {char('a' + piece), char('a' + piece), char('a' + piece)};
            ASSERT_EQ(::write(out, bytes, sizeof bytes), 3);
            ::usleep(1000);
        }
        ::close(out);
    });
    char buffer[64] = {};
    const ssize_t got = posix::readFull(in.get(), buffer, 20);
    writer.join();
    ASSERT_EQ(got, 20);
    EXPECT_EQ(QByteArray(buffer, 20), QByteArray("aaabbbcccdddeeefffgg"));
    EXPECT_EQ(posix::readFull(in.get(), buffer, sizeof buffer), 4) << "the rest, then the end";
}

TEST(PosixIo, PositionalReadAndReadToEndWithItsLimit)
{
    TempTree tree;
    const QByteArray path = tree.file("f", "0123456789").toUtf8();
    UniqueFd fd(::open(path.constData(), O_RDONLY | O_CLOEXEC));
    ASSERT_TRUE(fd.valid());
    char buffer[16] = {};
    EXPECT_EQ(posix::preadFull(fd.get(), buffer, 16, 6), 4);
    EXPECT_EQ(QByteArray(buffer, 4), QByteArray("6789"));
    QByteArray all;
    EXPECT_TRUE(posix::readToEnd(fd.get(), all, 10));
    EXPECT_EQ(all, QByteArray("0123456789")) << "the positional read left the offset alone";

    UniqueFd zero(::open("/dev/zero", O_RDONLY | O_CLOEXEC));
    QByteArray endless;
    EXPECT_FALSE(posix::readToEnd(zero.get(), endless, 1 << 20));
    EXPECT_EQ(errno, EFBIG);
    EXPECT_LE(endless.size(), 1 << 20);
}

TEST(PosixIo, OpensPathsLongerThanTheKernelTakes)
{
    TempTree tree;
    const QByteArray name(200, 'd');
    UniqueFd at(::open(tree.rootBytes().constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    QByteArray path = tree.rootBytes();
    while (path.size() < 2 * PATH_MAX) {
        ASSERT_EQ(::mkdirat(at.get(), name.constData(), 0700), 0);
        at = UniqueFd(::openat(at.get(), name.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
        path += '/' + name;
    }
    ASSERT_EQ(::close(::openat(at.get(), "leaf", O_WRONLY | O_CREAT | O_CLOEXEC, 0600)), 0);

    EXPECT_FALSE(UniqueFd(::open((path + "/leaf").constData(), O_RDONLY)).valid());
    EXPECT_TRUE(posix::openPath(path + "/leaf", O_RDONLY | O_CLOEXEC).valid());
    EXPECT_TRUE(posix::openPath(path + "/", O_RDONLY | O_DIRECTORY | O_CLOEXEC).valid());
    EXPECT_FALSE(posix::openPath(path + "/missing", O_RDONLY | O_CLOEXEC).valid());
    EXPECT_EQ(errno, ENOENT);
    EXPECT_FALSE(posix::openPath(path + '/' + QByteArray(PATH_MAX, 'x'), O_RDONLY).valid());
    EXPECT_EQ(errno, ENAMETOOLONG);
    EXPECT_FALSE(posix::openPath(QByteArray("/etc\0/passwd", 12), O_RDONLY).valid()) << "no cut at a zero byte";

    // Clean up from the bottom: the temporary folder's removal cannot reach these paths.
    for (int depth = int((path.size() - tree.rootBytes().size()) / (name.size() + 1)); depth > 0; --depth) {
        UniqueFd parent(posix::openPath(path.left(path.lastIndexOf('/')), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
        UniqueFd self(posix::openPath(path, O_RDONLY | O_DIRECTORY | O_CLOEXEC));
        ::unlinkat(self.get(), "leaf", 0);
        ASSERT_EQ(::unlinkat(parent.get(), name.constData(), AT_REMOVEDIR), 0);
        path = path.left(path.lastIndexOf('/'));
    }
}

TEST(PosixIo, TemporaryFileBesideTargetIsFreshEachTime)
{
    TempTree tree;
    UniqueFd folder(::open(tree.rootBytes().constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    QByteArray first, second;
    UniqueFd a = posix::createTemporaryIn(folder.get(), first);
    UniqueFd b = posix::createTemporaryIn(folder.get(), second);
    ASSERT_TRUE(a.valid() && b.valid());
    EXPECT_NE(first, second);
    EXPECT_TRUE(first.startsWith(".quil-"));
    struct stat info
    {
    };
    ASSERT_EQ(::fstatat(folder.get(), first.constData(), &info, 0), 0);
    EXPECT_EQ(info.st_mode & 0777, 0600u);
    EXPECT_EQ(a.close(), 0);
}
