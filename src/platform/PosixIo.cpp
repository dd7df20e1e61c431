#include "platform/PosixIo.h"

#include <QRandomGenerator>

#include <cerrno>
#include <climits>
#include <fcntl.h>
#include <unistd.h>

namespace quil::posix {

namespace {

// Calls read(into, count, done) until count bytes or the end of the file.
template <typename Read> ssize_t readLoop(void *into, size_t count, Read read)
{
    auto *bytes = static_cast<char *>(into);
    size_t done = 0;
    while (done < count) {
        const ssize_t got = read(bytes + done, count - done, done);
        if (got < 0) {
            if (errno == EINTR)
                continue;
            return -1;
        }
        if (got == 0)
            break;
        done += size_t(got);
    }
    return ssize_t(done);
}

} // namespace

ssize_t readFull(int fd, void *into, size_t count)
{
    return readLoop(into, count, [fd](char *at, size_t left, size_t) { return ::read(fd, at, left); });
}

ssize_t preadFull(int fd, void *into, size_t count, off_t offset)
{
    return readLoop(into, count, [fd, offset](char *at, size_t left, size_t done) {
        return ::pread(fd, at, left, offset + off_t(done));
    });
}

bool readToEnd(int fd, QByteArray &into, qint64 limit)
{
    char buffer[1 << 16];
    for (;;) {
        const ssize_t got = readFull(fd, buffer, sizeof buffer);
        if (got < 0)
            return false;
        if (into.size() + got > limit) {
            errno = EFBIG;
            return false;
        }
        into.append(buffer, got);
        if (size_t(got) < sizeof buffer)
            return true;
    }
}

namespace {

// The pieces of a long path, each shorter than PATH_MAX and cut at a "/".
UniqueFd openInPieces(QByteArrayView path, int flags, mode_t mode)
{
    UniqueFd at;
    qsizetype begin = 0;
    for (;;) {
        qsizetype end = path.size();
        if (end - begin >= PATH_MAX) {
            end = begin + PATH_MAX - 1;
            while (end > begin && path[end] != '/')
                --end;
            if (end == begin) {
                errno = ENAMETOOLONG; // one name longer than any name can be
                return {};
            }
        }
        const bool last = end == path.size();
        const QByteArray piece = path.sliced(begin, end - begin).toByteArray();
        const int base = at.valid() ? at.get() : AT_FDCWD;
        UniqueFd next(::openat(base, piece.constData(), last ? flags : O_PATH | O_DIRECTORY | O_CLOEXEC, mode));
        if (!next.valid() || last)
            return next;
        at = std::move(next);
        begin = end;
        while (begin < path.size() && path[begin] == '/')
            ++begin;
        if (begin == path.size()) // a trailing "/": the piece opened last is the item
            return UniqueFd(::openat(at.get(), ".", flags, mode));
    }
}

} // namespace

UniqueFd openPath(QByteArrayView path, int flags, mode_t mode)
{
    if (path.contains('\0')) {
        errno = EINVAL; // the system would read a shorter path than the one meant
        return {};
    }
    const QByteArray terminated = path.toByteArray();
    UniqueFd fd(::open(terminated.constData(), flags, mode));
    if (!fd.valid() && errno == ENAMETOOLONG)
        return openInPieces(path, flags, mode);
    return fd;
}

QByteArray currentFolder()
{
    QByteArray buffer(PATH_MAX, Qt::Uninitialized);
    if (!::getcwd(buffer.data(), size_t(buffer.size())))
        return {};
    buffer.truncate(qsizetype(qstrlen(buffer.constData())));
    return buffer;
}

QByteArray freshTemporaryName()
{
    return ".quil-" + QByteArray::number(QRandomGenerator::global()->generate64(), 36) + ".part";
}

UniqueFd createTemporaryIn(int folderFd, QByteArray &name, mode_t mode)
{
    UniqueFd fd;
    const int error = underTemporaryName(name, [&](const char *candidate) {
        fd.reset(::openat(folderFd, candidate, O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode));
        return fd.valid();
    });
    if (error != 0)
        errno = error;
    return fd;
}

} // namespace quil::posix
