#include "fileops/FolderSizeWalk.h"
#include "platform/NativePath.h"
#include "support/TempTree.h"

#include <gtest/gtest.h>

#include <cstring>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace quil;

namespace {

struct Result
{
    qint64 total;
    qint64 files;
};

Result walk(const QString &folder, int threads = 2)
{
    FolderSizeWalk walk(folder);
    walk.start(threads);
    while (!walk.waitFinished(std::chrono::milliseconds(1000))) {
    }
    return {walk.total(), walk.files()};
}

// A listening socket bound to a name in the tree, closed with the object.
struct BoundSocket
{
    int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    explicit BoundSocket(const QString &path)
    {
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        const QByteArray native = toNative(path);
        if (size_t(native.size()) < sizeof(address.sun_path)) {
            std::memcpy(address.sun_path, native.constData(), size_t(native.size()));
            bound = ::bind(fd, reinterpret_cast<sockaddr *>(&address), sizeof(address)) == 0;
        }
    }
    ~BoundSocket() { ::close(fd); }
    bool bound = false;
};

} // namespace

TEST(FolderSizeWalk, TotalsRegularFilesOfEveryDepthExactly)
{
    for (int threads : {1, 2, 4}) {
        TempTree tree;
        qint64 expected = 0;
        for (int folder = 0; folder < 12; ++folder) {
            const QByteArray path = "d" + QByteArray::number(folder % 4) + "/e" + QByteArray::number(folder);
            tree.folder("d" + QByteArray::number(folder % 4));
            tree.folder(path);
            for (int file = 0; file < 30; ++file) {
                const int size = (folder * 31 + file * 17) % 3000;
                tree.file(path + "/f" + QByteArray::number(file), QByteArray(size, 'x'));
                expected += size;
            }
        }
        tree.file("top", QByteArray(7, 'y'));
        tree.file("empty");
        expected += 7;
        const Result result = walk(tree.root(), threads);
        EXPECT_EQ(result.total, expected) << threads;
        EXPECT_EQ(result.files, 12 * 30 + 2) << threads;
    }
}

TEST(FolderSizeWalk, LinksSpecialFilesAndUnreadableFoldersAddNothing)
{
    TempTree tree;
    tree.folder("a");
    tree.file("a/real", QByteArray(1000, 'r'));
    tree.symlink("..", "a/up");                // a loop back to the root
    tree.symlink(tree.rootBytes(), "a/again"); // and another
    tree.symlink("real", "a/file link");       // a link to a file counts nothing itself
    tree.symlink("nowhere", "a/dangling");
    tree.fifo("a/pipe"); // opening it would block the walk
    const BoundSocket socket(tree.path("a/socket"));
    EXPECT_TRUE(socket.bound);
    tree.folder("locked");
    tree.file("locked/secret", QByteArray(500, 's'));
    ASSERT_EQ(::chmod(toNative(tree.path("locked")).constData(), 0), 0);
    ASSERT_EQ(::chmod(tree.rootBytes().constData(), 0755), 0);

    Result result{};
    if (::geteuid() != 0) {
        result = walk(tree.root());
    } else {
        // Root reads every folder: walk as an ordinary user, in a child process.
        int pipeEnds[2];
        ASSERT_EQ(::pipe(pipeEnds), 0);
        const pid_t pid = ::fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) {
            ::close(pipeEnds[0]);
            if (::setgid(65534) != 0 || ::setuid(65534) != 0)
                ::_exit(1);
            const Result seen = walk(tree.root());
            const ssize_t written = ::write(pipeEnds[1], &seen, sizeof seen);
            ::_exit(written == ssize_t(sizeof seen) ? 0 : 1);
        }
        ::close(pipeEnds[1]);
        const ssize_t got = ::read(pipeEnds[0], &result, sizeof result);
        ::close(pipeEnds[0]);
        int status = 0;
        ASSERT_EQ(::waitpid(pid, &status, 0), pid);
        if (got != ssize_t(sizeof result))
            GTEST_SKIP() << "cannot become an ordinary user here";
    }
    EXPECT_EQ(result.total, 1000);
    EXPECT_EQ(result.files, 1);
}

TEST(FolderSizeWalk, SizesBeyond32BitsAreKept)
{
    TempTree tree;
    tree.sparseFile("huge", (qint64(5) << 40) + 3); // 5 TiB, a hole on disk
    EXPECT_EQ(walk(tree.root()).total, (qint64(5) << 40) + 3);
}

TEST(FolderSizeWalk, NeverEntersTheSystemsOwnFolders)
{
    // /proc and /sys hold no regular file of the machine's volumes; their
    // entries must not even be read.
    for (const char *folder : {"/proc", "/sys", "/dev", "/proc/self", "/sys/kernel"}) {
        const Result result = walk(QString::fromLatin1(folder));
        EXPECT_EQ(result.files, 0) << folder;
        EXPECT_EQ(result.total, 0) << folder;
    }
}

TEST(FolderSizeWalk, AFolderThatIsGoneOrAFileAddsNothing)
{
    TempTree tree;
    const QString file = tree.file("plain", "abc");
    EXPECT_EQ(walk(tree.path("missing")).files, 0);
    EXPECT_EQ(walk(file).files, 0);
}

TEST(FolderSizeWalk, StopEndsTheWalkEarly)
{
    TempTree tree;
    tree.folder("a");
    tree.file("a/f", "x");
    FolderSizeWalk walk(tree.root());
    walk.stop();
    walk.start(2);
    // Stopped before its first folder: nothing counted, and the threads end
    // (the destructor joins them).
    EXPECT_FALSE(walk.waitFinished(std::chrono::milliseconds(0)));
    EXPECT_TRUE(walk.stopped());
    EXPECT_EQ(walk.files(), 0);
}
