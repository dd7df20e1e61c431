#include "search/DirectoryReader.h"

#include "platform/PosixIo.h"

#include <cerrno>
#include <climits>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace quil {

namespace {

constexpr size_t kBufferSize = 64 * 1024;

DirectoryReader::Type typeOfMode(mode_t mode)
{
    if (S_ISDIR(mode))
        return DirectoryReader::Type::Directory;
    if (S_ISREG(mode))
        return DirectoryReader::Type::File;
    if (S_ISLNK(mode))
        return DirectoryReader::Type::Link;
    return DirectoryReader::Type::Special;
}

} // namespace

DirectoryReader::DirectoryReader() : m_buffer(kBufferSize) {}

DirectoryReader::~DirectoryReader()
{
    close();
}

bool DirectoryReader::open(const char *path, bool followLink)
{
    close();
    // O_NOFOLLOW: a link to a folder is not entered, so a link loop cannot
    // make a walk endless.
    const int flags = O_RDONLY | O_DIRECTORY | O_CLOEXEC | (followLink ? 0 : O_NOFOLLOW);
    m_fd = posix::openPath(path, flags).release();
    return m_fd >= 0;
}

void DirectoryReader::close()
{
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
    m_filled = 0;
    m_offset = 0;
    m_replaying = false;
    m_failed = false;
    m_recorded = {};
}

void DirectoryReader::replay(QByteArrayView recorded)
{
    m_replaying = true;
    m_recorded = recorded;
}

bool DirectoryReader::nextRecorded(Entry &entry)
{
    // Records: one type byte, the name, a NUL.
    if (m_recorded.isEmpty())
        return false;
    entry.type = static_cast<Type>(m_recorded[0]);
    entry.name = m_recorded.data() + 1;
    entry.length = qsizetype(std::strlen(entry.name));
    m_recorded = m_recorded.sliced(entry.length + 2);
    return true;
}

bool DirectoryReader::next(Entry &entry)
{
    if (m_replaying)
        return nextRecorded(entry);
    if (m_fd < 0)
        return false;
    for (;;) {
        if (m_offset >= m_filled) {
            ssize_t n;
            do
                n = ::getdents64(m_fd, m_buffer.data(), m_buffer.size());
            while (n < 0 && errno == EINTR);
            if (n <= 0) {
                m_failed = n < 0;
                return false;
            }
            m_filled = n;
            m_offset = 0;
        }
        const auto *d = reinterpret_cast<const dirent64 *>(m_buffer.data() + m_offset);
        m_offset += d->d_reclen;
        const char *name = d->d_name;
        if (name[0] == '.' && (name[1] == 0 || (name[1] == '.' && name[2] == 0)))
            continue;
        entry.name = name;
        entry.length = qsizetype(std::strlen(name));
        switch (d->d_type) {
        case DT_DIR:
            entry.type = Type::Directory;
            break;
        case DT_REG:
            entry.type = Type::File;
            break;
        case DT_LNK:
            entry.type = Type::Link;
            break;
        case DT_UNKNOWN: {
            struct stat st;
            entry.type = ::fstatat(m_fd, name, &st, AT_SYMLINK_NOFOLLOW) == 0 ? typeOfMode(st.st_mode) : Type::Special;
            break;
        }
        default:
            entry.type = Type::Special;
            break;
        }
        return true;
    }
}

} // namespace quil
