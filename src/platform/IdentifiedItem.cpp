#include "platform/IdentifiedItem.h"

#include "platform/NativePath.h"
#include "platform/OsError.h"
#include "platform/UniqueFd.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>

namespace quil {

namespace {

// chmod of the item an O_PATH descriptor holds: fchmodat with AT_EMPTY_PATH
// where the system takes it (fchmodat2), else through the descriptor's entry
// in /proc, which names the very inode opened, never a path looked up again.
int changeModeOf(int fd, mode_t mode)
{
    if (::fchmodat(fd, "", mode, AT_EMPTY_PATH) == 0)
        return 0;
    // Refused flags, or an old call that looked the empty name up.
    if (errno != EINVAL && errno != ENOSYS && errno != EOPNOTSUPP && errno != EBADF && errno != ENOENT)
        return errno;
    char proc[32];
    std::snprintf(proc, sizeof proc, "/proc/self/fd/%d", fd);
    return ::chmod(proc, mode) == 0 ? 0 : errno;
}

} // namespace

IdentifiedItem::IdentifiedItem(const QString &path, struct stat &info) : m_path(path)
{
    if (::lstat(toNative(path).constData(), &info) != 0)
        throw OsError::last();
    m_device = info.st_dev;
    m_inode = info.st_ino;
}

int IdentifiedItem::changeMode(mode_t bits, bool on) const
{
    const UniqueFd fd(::open(toNative(m_path).constData(), O_PATH | O_NOFOLLOW | O_CLOEXEC));
    if (!fd.valid())
        return errno;
    struct stat now
    {
    };
    if (::fstat(fd.get(), &now) != 0)
        return errno;
    // A link's own mode means nothing; a link in the item's place is another item.
    if (now.st_dev != m_device || now.st_ino != m_inode || S_ISLNK(now.st_mode))
        return ESTALE;
    const mode_t mode = on ? (now.st_mode | bits) : (now.st_mode & ~bits);
    return changeModeOf(fd.get(), mode & 07777);
}

} // namespace quil
