#include "platform/fileop/WalkFolder.h"

#include "platform/fileop/FileOperationCalls.h"

#include <cerrno>
#include <fcntl.h>

namespace quil::fileop {

int WalkFolder::open(int parent, const QByteArray &name)
{
    return adopt(::openat(parent, name.constData(), kDirFlags | O_NOFOLLOW));
}

int WalkFolder::adopt(int fd)
{
    m_fd.reset(fd);
    if (!m_fd.valid())
        return errno;
    if (::fstat(m_fd.get(), &m_stat) != 0) {
        const int code = errno;
        m_fd.reset();
        return code;
    }
    return 0;
}

int WalkFolder::reopenAbove(const WalkFolder &child)
{
    if (isOpen())
        return 0;
    UniqueFd up(::openat(child.get(), "..", kDirFlags));
    struct stat st;
    if (!up.valid() || ::fstat(up.get(), &st) != 0)
        return errno;
    if (!sameFile(st, m_stat))
        return ESTALE;
    m_fd = std::move(up);
    return 0;
}

} // namespace quil::fileop
