#include "search/FolderListingCache.h"

#include <cstdlib>
#include <ctime>
#include <fcntl.h>
#include <linux/magic.h>
#include <sys/stat.h>
#include <sys/vfs.h>

namespace quil {

namespace {

constexpr size_t kLimit = 64 * 1024 * 1024;

bool same(const struct timespec &a, const struct timespec &b)
{
    return a.tv_sec == b.tv_sec && a.tv_nsec == b.tv_nsec;
}

// The wall clock less the time since boot: it moves when the wall clock is
// set, which could give a later change the very times of a kept listing.
qint64 wallClockOffset()
{
    struct timespec wall, boot;
    ::clock_gettime(CLOCK_REALTIME, &wall);
    ::clock_gettime(CLOCK_BOOTTIME, &boot);
    return (qint64(wall.tv_sec) - qint64(boot.tv_sec)) * 1000000000 + (wall.tv_nsec - boot.tv_nsec);
}

} // namespace

bool FolderListingCache::fileSystemKeepsTimes(int dirFd, dev_t device)
{
    for (const auto &[known, keeps] : m_fileSystems)
        if (known == device)
            return keeps;
    struct statfs fs;
    bool keeps = false;
    if (::fstatfs(dirFd, &fs) == 0) {
        switch (static_cast<unsigned long>(fs.f_type)) {
        case EXT4_SUPER_MAGIC: // ext2 and ext3 too
        case XFS_SUPER_MAGIC:
        case BTRFS_SUPER_MAGIC:
        case TMPFS_MAGIC:
        case F2FS_SUPER_MAGIC:
            keeps = true;
            break;
        default:
            break;
        }
    }
    m_fileSystems.emplace_back(device, keeps);
    return keeps;
}

qsizetype FolderListingCache::startRecording(int dirFd)
{
    m_recording = -1;
    struct stat st;
    if (m_names.size() >= kLimit || ::fstat(dirFd, &st) != 0 || !fileSystemKeepsTimes(dirFd, st.st_dev))
        return -1;
    struct timespec now;
    ::clock_gettime(CLOCK_REALTIME, &now);
    const time_t recent = now.tv_sec - m_recentChangeSeconds;
    if (m_kept.empty())
        m_clockOffset = wallClockOffset();
    // A change in the same tick as one before the reading would leave the times as they are.
    if (st.st_mtim.tv_sec >= recent || st.st_ctim.tv_sec >= recent)
        return -1;
    m_kept.push_back({st.st_dev, st.st_ino, st.st_mtim, st.st_ctim, m_names.size(), m_names.size()});
    m_recording = qsizetype(m_kept.size()) - 1;
    return m_recording;
}

void FolderListingCache::record(const DirectoryReader::Entry &entry)
{
    if (m_recording < 0)
        return;
    m_names.push_back(static_cast<char>(entry.type));
    m_names.insert(m_names.end(), entry.name, entry.name + entry.length + 1);
    m_kept[size_t(m_recording)].end = m_names.size();
}

std::optional<QByteArrayView> FolderListingCache::listing(qsizetype index, int dirFd, const char *path,
                                                          bool followLink) const
{
    if (index < 0 || size_t(index) >= m_kept.size())
        return std::nullopt;
    const Kept &kept = m_kept[size_t(index)];
    // Half a second is more than the clock drifts while slewed in a long search.
    if (std::llabs(wallClockOffset() - m_clockOffset) > 500000000)
        return std::nullopt;
    struct stat st;
    const int result =
        dirFd >= 0 ? ::fstat(dirFd, &st) : ::fstatat(AT_FDCWD, path, &st, followLink ? 0 : AT_SYMLINK_NOFOLLOW);
    if (result != 0 || st.st_dev != kept.device || st.st_ino != kept.inode || !same(st.st_mtim, kept.modified) ||
        !same(st.st_ctim, kept.changed))
        return std::nullopt;
    return QByteArrayView(m_names.data() + kept.begin, qsizetype(kept.end - kept.begin));
}

void FolderListingCache::clear()
{
    m_names.clear();
    m_names.shrink_to_fit();
    m_kept.clear();
    m_fileSystems.clear();
    m_recording = -1;
}

} // namespace quil
