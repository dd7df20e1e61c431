#include "platform/UniqueFd.h"

#include <cerrno>
#include <unistd.h>

namespace quil {

void UniqueFd::reset(int fd)
{
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = fd;
}

int UniqueFd::close()
{
    const int fd = std::exchange(m_fd, -1);
    return fd >= 0 && ::close(fd) != 0 ? errno : 0;
}

} // namespace quil
