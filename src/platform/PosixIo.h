#pragma once

#include "platform/UniqueFd.h"

#include <QByteArray>
#include <QByteArrayView>

#include <cerrno>
#include <sys/types.h>

// Reading and opening with the loops the system calls need: interrupted
// calls are retried, short reads continued. Failures answer -1 (or an
// invalid descriptor) with errno set, so callers choose how to report them.
namespace quil::posix {

// Reads up to count bytes; fewer only at the end of the file.
ssize_t readFull(int fd, void *into, size_t count);
// The same at a position, without moving the file offset.
ssize_t preadFull(int fd, void *into, size_t count, off_t offset);
// Reads from the current offset to the end. More than limit bytes fail with EFBIG.
bool readToEnd(int fd, QByteArray &into, qint64 limit);

// The process's current folder as the system's bytes; empty when it cannot
// be named (removed, or too long).
QByteArray currentFolder();

// open() for a path of any length: a path longer than the kernel takes at
// once is opened piece by piece, each piece relative to the one before.
UniqueFd openPath(QByteArrayView path, int flags, mode_t mode = 0);

// Creates a file exclusively under a fresh temporary name beginning with
// ".quil-" in an open folder; name receives the name. Used to write a file
// beside its target and rename it over the target once it is whole.
UniqueFd createTemporaryIn(int folderFd, QByteArray &name, mode_t mode = 0600);
// Makes any item exclusively under a fresh temporary name: create(name) makes
// it and answers whether it did (errno set when not). Answers 0 or an errno.
template <typename Create> int underTemporaryName(QByteArray &name, Create create);
QByteArray freshTemporaryName();

template <typename Create> int underTemporaryName(QByteArray &name, Create create)
{
    for (int tries = 0; tries < 100; ++tries) {
        name = freshTemporaryName();
        if (create(name.constData()))
            return 0;
        if (errno != EEXIST)
            return errno;
    }
    return EEXIST;
}

} // namespace quil::posix
