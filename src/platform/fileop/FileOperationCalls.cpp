#include "platform/fileop/FileOperationCalls.h"

#include "platform/BytePath.h"
#include "platform/PosixIo.h"
#include "platform/fileop/ExtendedAttributes.h"

#include <QList>

#include <QCoreApplication>
#include <cerrno>
#include <climits>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <linux/magic.h>
#include <sys/vfs.h>
#include <unistd.h>

namespace quil::fileop {

QString sameFileText()
{
    return QCoreApplication::translate("FileOperationCalls", "Источник и цель являются одним и тем же файлом.");
}
QString changedText()
{
    return QCoreApplication::translate("FileOperationCalls",
                                       "Исходный файл изменился во время копирования; он оставлен на месте.");
}
QString changedWhileCopiedText()
{
    return QCoreApplication::translate("FileOperationCalls",
                                       "Исходный файл изменился во время копирования; копия не сделана.");
}

FolderTraits FolderTraits::of(int folder)
{
    struct statfs fs;
    return {!mayHaveDefaultAcl(folder), ::fstatfs(folder, &fs) == 0 && fs.f_type == EXT4_SUPER_MAGIC};
}

bool isBadPath(const QByteArray &path)
{
    return !path.startsWith('/') || path.contains('\0') || bytepath::isBadName(bytepath::fileName(path));
}

int openFolder(const QByteArray &path)
{
    return posix::openPath(path, kDirFlags).release();
}

int checkFolderName(int folder, const QByteArray &name)
{
    struct stat st;
    if (::fstatat(folder, name.constData(), &st, 0) != 0)
        return errno;
    return S_ISDIR(st.st_mode) ? 0 : ENOTDIR;
}

int listFolder(int folderFd, QList<QByteArray> &names, QList<bool> *regular)
{
    const int fd = ::openat(folderFd, ".", kDirFlags);
    if (fd < 0)
        return errno;
    DIR *dir = ::fdopendir(fd);
    if (!dir) {
        const int error = errno;
        ::close(fd);
        return error;
    }
    errno = 0;
    while (dirent *entry = ::readdir(dir)) {
        const QByteArray name(entry->d_name);
        if (name != "." && name != "..") {
            names.append(name);
            if (regular)
                regular->append(entry->d_type == DT_REG);
        }
        errno = 0;
    }
    const int error = errno;
    ::closedir(dir);
    return error;
}

// Falls back to link + unlink where the file system lacks RENAME_NOREPLACE.
int renameNoReplace(int fromDir, const char *from, int toDir, const char *to)
{
    if (::renameat2(fromDir, from, toDir, to, RENAME_NOREPLACE) == 0)
        return 0;
    if (errno != EINVAL && errno != ENOSYS)
        return -1;
    if (::linkat(fromDir, from, toDir, to, 0) == 0) {
        ::unlinkat(fromDir, from, 0);
        return 0;
    }
    if (errno == EEXIST)
        return -1;
    struct stat st;
    if (::fstatat(toDir, to, &st, AT_SYMLINK_NOFOLLOW) == 0) {
        errno = EEXIST;
        return -1;
    }
    return ::renameat(fromDir, from, toDir, to);
}

// The copy belongs to whoever runs the operation, so set-user-ID and
// set-group-ID bits go unless that owner is the original's: else a copy made
// by root of another user's set-user-ID program would run as root.
mode_t copyMode(const struct stat &st, uid_t user, gid_t group)
{
    mode_t mode = st.st_mode & 07777;
    if (!S_ISDIR(st.st_mode)) {
        if (st.st_uid != user)
            mode &= ~mode_t(S_ISUID);
        if (st.st_gid != group)
            mode &= ~mode_t(S_ISGID);
    }
    return mode;
}

mode_t currentUmask()
{
    const UniqueFd fd(::open("/proc/self/status", O_RDONLY | O_CLOEXEC));
    QByteArray status;
    if (!fd.valid() || !posix::readToEnd(fd.get(), status, 64 * 1024))
        return 0777;
    const qsizetype at = status.indexOf("\nUmask:");
    if (at < 0)
        return 0777;
    const qsizetype end = status.indexOf('\n', at + 1);
    bool ok = false;
    const uint mask = status.mid(at + 7, end < 0 ? -1 : end - at - 7).trimmed().toUInt(&ok, 8);
    return ok ? mode_t(mask & 0777) : 0777;
}

bool sameFile(const struct stat &a, const struct stat &b)
{
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

// Replacing one of two such names by the other would destroy the file (a
// link copied over its own target).
bool resolveToSameFile(int folderA, const QByteArray &nameA, int folderB, const QByteArray &nameB)
{
    struct stat a, b;
    return ::fstatat(folderA, nameA.constData(), &a, 0) == 0 && ::fstatat(folderB, nameB.constData(), &b, 0) == 0 &&
           sameFile(a, b);
}

// A source replaced or written while its copy ran must not be deleted by a move.
bool unchangedSince(const struct stat &before, const struct stat &now)
{
    const auto same = [](const timespec &a, const timespec &b) {
        return a.tv_sec == b.tv_sec && a.tv_nsec == b.tv_nsec;
    };
    return sameFile(before, now) && (before.st_mode & S_IFMT) == (now.st_mode & S_IFMT) &&
           before.st_size == now.st_size && same(before.st_mtim, now.st_mtim) && same(before.st_ctim, now.st_ctim);
}

qint64 bytesToCopy(const struct stat &st)
{
    // Files of /proc and /sys report no blocks whatever they hold.
    if (st.st_blocks == 0)
        return st.st_size;
    return std::min<qint64>(st.st_size, qint64(st.st_blocks) * 512);
}

QString reasonText(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

quint64 mountIdOf(int folder, const QByteArray &name)
{
    struct statx st;
    if (::statx(folder, name.constData(), AT_SYMLINK_NOFOLLOW, STATX_MNT_ID, &st) != 0 || !(st.stx_mask & STATX_MNT_ID))
        return 0;
    return st.stx_mnt_id;
}

namespace {

// The length of at most limit bytes of text, not cutting a UTF-8 character.
qsizetype fittingLength(const QByteArray &text, qsizetype limit)
{
    if (text.size() <= limit)
        return text.size();
    qsizetype length = std::max<qsizetype>(limit, 0);
    while (length > 0 && (uchar(text.at(length)) & 0xC0) == 0x80)
        --length;
    return length;
}

} // namespace

QByteArray collisionName(const QByteArray &name, int n, bool isFolder)
{
    const QByteArray suffix = " (" + QByteArray::number(n) + ')';
    const qsizetype dot = isFolder ? -1 : name.lastIndexOf('.');
    QByteArray stem = dot <= 0 ? name : name.left(dot);
    QByteArray extension = dot <= 0 ? QByteArray() : name.mid(dot);
    if (stem.size() + suffix.size() + extension.size() > NAME_MAX) {
        const qsizetype room = NAME_MAX - suffix.size() - extension.size();
        if (room > 0) {
            stem.truncate(fittingLength(stem, room));
        } else {
            // An extension too long to keep: the whole name is shortened.
            stem.append(extension);
            extension.clear();
            stem.truncate(fittingLength(stem, NAME_MAX - suffix.size()));
        }
    }
    return stem + suffix + extension;
}

} // namespace quil::fileop
