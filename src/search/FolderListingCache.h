#pragma once

#include "search/DirectoryReader.h"

#include <QByteArrayView>
#include <QtGlobal>
#include <optional>
#include <sys/types.h>
#include <vector>

namespace quil {

// Keeps the listings that the collection of subfolders reads, so that the
// matching walk need not read each folder a second time. A listing is used
// only while the folder is provably unchanged: same device and inode, same
// modification and change times (a folder's modification time moves with
// every entry created, removed or renamed in it). Folders are kept only on
// file systems that keep those times exactly (ext2/3/4, XFS, Btrfs, tmpfs,
// F2FS), and not when they changed within the recent-change window before
// they were read, which covers the coarse ticks of file times. Nothing is
// used once the wall clock has been set since the first listing was kept. At
// most 64 MiB of names are kept.
class FolderListingCache
{
public:
    explicit FolderListingCache(int recentChangeSeconds = 2) : m_recentChangeSeconds(recentChangeSeconds) {}

    // Starts keeping the listing of the folder open as dirFd, whose entries
    // follow through record(). Returns its number, or -1 when it is not kept.
    qsizetype startRecording(int dirFd);
    // One entry of the folder being recorded; nothing when none is.
    void record(const DirectoryReader::Entry &entry);
    void finishRecording() { m_recording = -1; }

    // The kept listing of folder number index when the folder is unchanged.
    // The folder is examined through dirFd when it is open (>= 0), otherwise
    // by its path (a link at the path not followed unless followLink).
    std::optional<QByteArrayView> listing(qsizetype index, int dirFd, const char *path, bool followLink) const;

    void clear();

private:
    struct Kept
    {
        dev_t device;
        ino_t inode;
        struct timespec modified, changed;
        size_t begin, end;
    };
    bool fileSystemKeepsTimes(int dirFd, dev_t device);

    int m_recentChangeSeconds;
    std::vector<char> m_names;
    std::vector<Kept> m_kept;
    std::vector<std::pair<dev_t, bool>> m_fileSystems;
    qsizetype m_recording = -1;
    qint64 m_clockOffset = 0; // wallClockOffset() when the first listing was kept
};

} // namespace quil
