#include "platform/Volumes.h"

#include "platform/BytePath.h"
#include "platform/NativePath.h"
#include "platform/OsError.h"
#include "platform/PosixIo.h"

#include <QDir>
#include <QFile>
#include <QSet>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

namespace quil {

namespace {

// Mount tables and label files are small; a larger one is not what it seems.
constexpr qint64 kSmallFileLimit = 16 * 1024 * 1024;

// mountinfo escapes blanks, tabs, newlines and backslashes as \ooo.
QByteArray unescapeOctal(QByteArrayView field)
{
    QByteArray out;
    out.reserve(field.size());
    for (qsizetype i = 0; i < field.size(); ++i) {
        const char c = field[i];
        if (c == '\\' && i + 3 < field.size()) {
            const char a = field[i + 1], b = field[i + 2], d = field[i + 3];
            if (a >= '0' && a <= '3' && b >= '0' && b <= '7' && d >= '0' && d <= '7') {
                out.append(char(((a - '0') << 6) | ((b - '0') << 3) | (d - '0')));
                i += 3;
                continue;
            }
        }
        out.append(c);
    }
    return out;
}

// /dev/disk/by-label escapes unsafe bytes as \xHH.
QByteArray unescapeHex(QByteArrayView field)
{
    QByteArray out;
    for (qsizetype i = 0; i < field.size(); ++i) {
        if (field[i] == '\\' && i + 3 < field.size() && field[i + 1] == 'x') {
            bool ok = false;
            const int value = QByteArray(field.data() + i + 2, 2).toInt(&ok, 16);
            if (ok) {
                out.append(char(value));
                i += 3;
                continue;
            }
        }
        out.append(field[i]);
    }
    return out;
}

bool isBelow(QStringView path, QStringView folder)
{
    return path == folder || (path.startsWith(folder) && path.size() > folder.size() && path[folder.size()] == u'/');
}

QByteArray readSmallFile(const QByteArray &path)
{
    const UniqueFd fd(::open(path.constData(), O_RDONLY | O_CLOEXEC));
    QByteArray content;
    if (fd.valid())
        posix::readToEnd(fd.get(), content, kSmallFileLimit);
    return content;
}

QByteArray realPath(const QByteArray &path)
{
    char resolved[PATH_MAX];
    if (::realpath(path.constData(), resolved) == nullptr)
        return {};
    return QByteArray(resolved);
}

bool isStrictlyBelow(QStringView path, QStringView folder)
{
    return !folder.isEmpty() && path.size() > folder.size() + 1 && path.startsWith(folder) &&
           path[folder.size()] == u'/';
}

// /run/media/<user>, where udisks mounts a user's media; all of /run/media
// for root.
QString userMediaFolder()
{
    if (::getuid() == 0)
        return QStringLiteral("/run/media");
    const passwd *user = ::getpwuid(::getuid());
    return user != nullptr ? QStringLiteral("/run/media/") + fromNative(user->pw_name) : QString();
}

// File systems in memory or layered over others: never a disk, wherever
// they are mounted.
bool isMemoryOrLayeredFileSystem(QStringView type)
{
    for (QStringView other : {u"tmpfs", u"ramfs", u"overlay", u"aufs"})
        if (type == other)
            return true;
    return false;
}

void sortRootFirst(QList<Volume> &volumes)
{
    std::sort(volumes.begin(), volumes.end(), [](const Volume &a, const Volume &b) {
        const bool aRoot = a.mountPoint == QLatin1String("/"), bRoot = b.mountPoint == QLatin1String("/");
        if (aRoot != bRoot)
            return aRoot;
        return a.mountPoint < b.mountPoint;
    });
}

bool isDirectory(const QString &path)
{
    struct stat info
    {
    };
    return ::stat(toNative(path).constData(), &info) == 0 && S_ISDIR(info.st_mode);
}

} // namespace

bool Volumes::isPseudoFileSystem(QStringView type)
{
    static const QStringView pseudo[] = {
        u"proc",      u"sysfs",    u"cgroup",     u"cgroup2",         u"devtmpfs",    u"devpts",        u"mqueue",
        u"tracefs",   u"debugfs",  u"securityfs", u"pstore",          u"bpf",         u"autofs",        u"squashfs",
        u"fusectl",   u"configfs", u"hugetlbfs",  u"binfmt_misc",     u"efivarfs",    u"rpc_pipefs",    u"nsfs",
        u"selinuxfs", u"nfsd",     u"binder",     u"fuse.gvfsd-fuse", u"fuse.portal", u"fuse.snapfuse", u"fuse.lxcfs"};
    return std::find(std::begin(pseudo), std::end(pseudo), type) != std::end(pseudo);
}

QString Volumes::parseMountPoint(QByteArrayView field)
{
    return fromNative(unescapeOctal(field));
}

bool Volumes::isSystemPath(QStringView path)
{
    if (isBelow(path, u"/run/media"))
        return false;
    for (QStringView system : {u"/proc", u"/sys", u"/dev", u"/run"})
        if (isBelow(path, system))
            return true;
    return false;
}

QList<Volumes::Mount> Volumes::parseMounts(QByteArrayView mountInfo)
{
    QList<Mount> mounts;
    const QString home = QDir::homePath();
    const QString ownMedia = userMediaFolder();
    // A device met again is the same file system bound a second time.
    QSet<QByteArray> devicesSeen;
    const QList<QByteArray> lines = mountInfo.toByteArray().split('\n');
    for (const QByteArray &line : lines) {
        const QList<QByteArray> fields = line.split(' ');
        // id parent major:minor root mount-point options [optional...] - type source super-options
        const qsizetype separator = fields.indexOf(QByteArray("-"));
        if (fields.size() < 5 || separator < 6 || separator + 2 >= fields.size())
            continue;
        Mount mount;
        mount.volume.mountPoint = parseMountPoint(fields[4]);
        mount.volume.fileSystem = fromNative(unescapeOctal(fields[separator + 1]));
        mount.volume.device = fromNative(unescapeOctal(fields[separator + 2]));
        const bool bound = fields[3] != "/" || devicesSeen.contains(fields[2]);
        devicesSeen.insert(fields[2]);
        const QString &point = mount.volume.mountPoint;
        if (!point.startsWith(QLatin1Char('/')))
            continue;
        mount.isVolume = !isPseudoFileSystem(mount.volume.fileSystem) && !isSystemPath(point);
        const bool root = point == QLatin1String("/");
        mount.mayBeDisk = mount.isVolume && (root || (!bound && !isMemoryOrLayeredFileSystem(mount.volume.fileSystem) &&
                                                      !point.contains(QLatin1String("/."))));
        mount.inUserPlace = root || isStrictlyBelow(point, u"/media") || isStrictlyBelow(point, ownMedia) ||
                            (home != QLatin1String("/") && isStrictlyBelow(point, home));
        // A later line mounted over the same point hides the earlier one.
        mounts.removeIf([&](const Mount &m) { return m.volume.mountPoint == point; });
        mounts.append(std::move(mount));
    }
    return mounts;
}

QList<Volumes::Mount> Volumes::mounts()
{
    return parseMounts(readSmallFile("/proc/self/mountinfo"));
}

QList<Volume> Volumes::parseMountInfo(QByteArrayView mountInfo)
{
    QList<Volume> volumes;
    for (Mount &mount : parseMounts(mountInfo))
        if (mount.mayBeDisk && mount.inUserPlace)
            volumes.append(std::move(mount.volume));
    sortRootFirst(volumes);
    return volumes;
}

QList<Volume> Volumes::disksOf(QByteArrayView mountInfo)
{
    QList<Volume> disks;
    for (Mount &mount : parseMounts(mountInfo)) {
        if (!mount.mayBeDisk)
            continue;
        mount.volume.removable = isRemovable(mount.volume.device);
        // A file bind-mounted over another (containers do this with
        // /etc/hosts) is no disk.
        if ((mount.inUserPlace || mount.volume.removable) && isDirectory(mount.volume.mountPoint))
            disks.append(std::move(mount.volume));
    }
    sortRootFirst(disks);
    return disks;
}

QList<Volume> Volumes::list()
{
    QList<Volume> volumes = disksOf(readSmallFile("/proc/self/mountinfo"));
    for (Volume &volume : volumes)
        volume.label = labelOf(volume.device);
    return volumes;
}

std::optional<Volume> Volumes::volumeOf(const QString &path, const QList<Volume> &volumes)
{
    const Volume *best = nullptr;
    for (const Volume &volume : volumes) {
        const bool holds = volume.mountPoint == QLatin1String("/") ? path.startsWith(QLatin1Char('/'))
                                                                   : isBelow(path, volume.mountPoint);
        if (holds && (best == nullptr || volume.mountPoint.size() > best->mountPoint.size()))
            best = &volume;
    }
    if (best == nullptr)
        return std::nullopt;
    return *best;
}

std::optional<Volume> Volumes::volumeOf(const QString &path)
{
    return volumeOf(path, list());
}

VolumeSpace Volumes::space(const QString &path)
{
    struct statvfs info
    {
    };
    if (::statvfs(toNative(path).constData(), &info) != 0)
        throw OsError::last();
    const quint64 unit = info.f_frsize != 0 ? info.f_frsize : info.f_bsize;
    return VolumeSpace{quint64(info.f_blocks) * unit, quint64(info.f_bavail) * unit};
}

QString Volumes::labelOf(const QString &device, const QString &labelFolder)
{
    // Only devices have labels; "tmpfs", "server:/share" and the like do not.
    if (!device.startsWith(QLatin1Char('/')))
        return {};
    const QByteArray target = realPath(toNative(device));
    if (target.isEmpty())
        return {};
    const QByteArray folder = toNative(labelFolder);
    DIR *dir = ::opendir(folder.constData());
    if (dir == nullptr)
        return {};
    QString label;
    while (const dirent *entry = ::readdir(dir)) {
        if (entry->d_name[0] == '.')
            continue;
        if (realPath(folder + '/' + entry->d_name) == target) {
            label = fromNative(unescapeHex(entry->d_name));
            break;
        }
    }
    ::closedir(dir);
    return label;
}

bool Volumes::isRemovable(const QString &device, const QString &blockFolder)
{
    if (!device.startsWith(QLatin1Char('/')))
        return false;
    const QByteArray target = realPath(toNative(device));
    if (target.isEmpty())
        return false;
    const QByteArray name = bytepath::fileName(target);
    // <blockFolder>/<name> is the disk itself or one of its partitions; the
    // removable flag lives with the disk.
    QByteArray block = realPath(toNative(blockFolder) + '/' + name);
    if (block.isEmpty())
        return false;
    if (::access((block + "/partition").constData(), F_OK) == 0)
        block = bytepath::parent(block);
    return readSmallFile(block + "/removable").trimmed() == "1";
}

} // namespace quil
