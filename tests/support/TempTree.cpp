#include "support/TempTree.h"

#include <QDir>
#include <QProcess>
#include <QStandardPaths>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <stdexcept>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
void check(bool ok, const char *what, const QByteArray &path)
{
    if (!ok)
        throw std::runtime_error(std::string(what) + " failed for " + path.toStdString() + ": " + std::strerror(errno));
}
} // namespace

TempTree::TempTree() : m_dir(QDir::tempPath() + QStringLiteral("/quil-test-XXXXXX"))
{
    if (!m_dir.isValid())
        throw std::runtime_error("cannot create a temporary folder");
}

TempTree::~TempTree()
{
    // Let the removal reach folders a test made unreadable.
    const QByteArray root = rootBytes();
    ::chmod(root.constData(), 0700);
}

QString TempTree::root() const
{
    return m_dir.path();
}

QByteArray TempTree::rootBytes() const
{
    return m_dir.path().toUtf8();
}

QString TempTree::path(const QByteArray &relative) const
{
    return QString::fromUtf8(rootBytes() + '/' + relative);
}

QString TempTree::file(const QByteArray &relative, const QByteArray &content)
{
    const QByteArray full = rootBytes() + '/' + relative;
    const int fd = ::open(full.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    check(fd >= 0, "open", full);
    qsizetype done = 0;
    while (done < content.size()) {
        const ssize_t n = ::write(fd, content.constData() + done, size_t(content.size() - done));
        check(n > 0, "write", full);
        done += n;
    }
    ::close(fd);
    return QString::fromUtf8(full);
}

QString TempTree::folder(const QByteArray &relative)
{
    const QByteArray full = rootBytes() + '/' + relative;
    check(::mkdir(full.constData(), 0755) == 0 || errno == EEXIST, "mkdir", full);
    return QString::fromUtf8(full);
}

QString TempTree::symlink(const QByteArray &target, const QByteArray &relative)
{
    const QByteArray full = rootBytes() + '/' + relative;
    check(::symlink(target.constData(), full.constData()) == 0, "symlink", full);
    return QString::fromUtf8(full);
}

QString TempTree::fifo(const QByteArray &relative)
{
    const QByteArray full = rootBytes() + '/' + relative;
    check(::mkfifo(full.constData(), 0644) == 0, "mkfifo", full);
    return QString::fromUtf8(full);
}

QString TempTree::tarGz(const QByteArray &archive, const QByteArray &folder)
{
    QProcess tar;
    tar.start(QStringLiteral("tar"),
              {QStringLiteral("-czf"), path(archive), QStringLiteral("-C"), path(folder), QStringLiteral(".")});
    check(tar.waitForFinished(60000) && tar.exitStatus() == QProcess::NormalExit && tar.exitCode() == 0, "tar",
          path(archive).toUtf8());
    return path(archive);
}

QString TempTree::sparseFile(const QByteArray &relative, qint64 size)
{
    const QByteArray full = rootBytes() + '/' + relative;
    const int fd = ::open(full.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    check(fd >= 0, "open", full);
    check(::ftruncate(fd, size) == 0, "ftruncate", full);
    ::close(fd);
    return QString::fromUtf8(full);
}

TmpfsMount::TmpfsMount(const QString &mountPoint, qint64 sizeBytes) : m_mountPoint(mountPoint)
{
    QDir().mkpath(mountPoint);
    const QByteArray options = "size=" + QByteArray::number(sizeBytes);
    m_mounted = ::mount("tmpfs", mountPoint.toUtf8().constData(), "tmpfs", 0, options.constData()) == 0;
}

TmpfsMount::~TmpfsMount()
{
    unmount();
}

void TmpfsMount::unmount()
{
    if (m_mounted)
        ::umount2(m_mountPoint.toUtf8().constData(), MNT_DETACH);
    m_mounted = false;
}

namespace {
bool runTool(const QString &name, const QStringList &arguments)
{
    const QString program = QStandardPaths::findExecutable(name, {QStringLiteral("/usr/sbin"), QStringLiteral("/sbin"),
                                                                  QStringLiteral("/usr/bin"), QStringLiteral("/bin")});
    if (program.isEmpty())
        return false;
    QProcess tool;
    tool.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    tool.start(program, arguments);
    return tool.waitForFinished(120000) && tool.exitStatus() == QProcess::NormalExit && tool.exitCode() == 0;
}
} // namespace

LoopDisk::LoopDisk()
{
    QByteArray point = "/media/quil-test-XXXXXX";
    if (::mkdtemp(point.data()) == nullptr)
        return;
    m_ownsMountPoint = true;
    m_mountPoint = QString::fromUtf8(point);
    const QString image = m_image.sparseFile("disk.img", 4 * 1024 * 1024);
    m_mounted = runTool(QStringLiteral("mkfs.ext2"), {QStringLiteral("-q"), QStringLiteral("-F"), image}) &&
                runTool(QStringLiteral("mount"), {QStringLiteral("-o"), QStringLiteral("loop"), image, m_mountPoint});
    if (!m_mounted)
        ::rmdir(point.constData());
}

LoopDisk::LoopDisk(const QString &fileSystem, qint64 sizeBytes, const QString &mountPoint) : m_mountPoint(mountPoint)
{
    const QString image = m_image.sparseFile("disk.img", sizeBytes);
    m_mounted = runTool(QStringLiteral("mkfs.") + fileSystem, {QStringLiteral("-q"), QStringLiteral("-F"), image}) &&
                runTool(QStringLiteral("mount"), {QStringLiteral("-o"), QStringLiteral("loop"), image, m_mountPoint});
}

LoopDisk::~LoopDisk()
{
    unmount();
}

void LoopDisk::unmount()
{
    if (!m_mounted)
        return;
    // The loop device goes with its last mount (mount -o loop sets autoclear).
    ::umount2(m_mountPoint.toUtf8().constData(), MNT_DETACH);
    if (m_ownsMountPoint)
        ::rmdir(m_mountPoint.toUtf8().constData());
    m_mounted = false;
}
