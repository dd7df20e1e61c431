#include "viewers/ViewedFile.h"

#include "platform/NativePath.h"
#include "platform/OsError.h"
#include "platform/PosixIo.h"

#include <fcntl.h>

namespace quil {

UniqueFd openViewedFile(const QString &path)
{
    UniqueFd fd = posix::openPath(toNative(path), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (!fd.valid())
        throw OsError::last();
    return fd;
}

} // namespace quil
