#include "fileops/FolderSizeWalk.h"

#include "platform/BytePath.h"
#include "platform/NativePath.h"
#include "platform/PosixIo.h"
#include "platform/Volumes.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quil {

namespace {

// How many entries a thread reads between two looks at the stop request.
constexpr int kStopCheckEvery = 256;

// /run is a system folder, but the way to /run/media, where removable
// volumes are mounted: it is read only for that one child.
const QByteArray kRun = QByteArrayLiteral("/run");
const QByteArray kRunMedia = QByteArrayLiteral("/run/media");

// One step below the priority of the thread that started the walk (on
// Linux the nice value is the calling thread's own).
void lowerOwnPriority()
{
    errno = 0;
    const int nice = ::getpriority(PRIO_PROCESS, 0);
    if (errno == 0)
        ::setpriority(PRIO_PROCESS, 0, nice + 1);
}

} // namespace

FolderSizeWalk::FolderSizeWalk(const QString &folder) : m_folder(bytepath::stripTrailingSlashes(toNative(folder)))
{
    for (const Volumes::Mount &mount : Volumes::mounts())
        (mount.isVolume ? m_volumeMounts : m_otherMounts).insert(toNative(mount.volume.mountPoint));
    if (startAllowed(m_folder))
        m_pending.push_back(m_folder);
}

FolderSizeWalk::~FolderSizeWalk()
{
    // The threads see it at their next folder or after a few entries.
    stop();
}

bool FolderSizeWalk::startAllowed(const QByteArray &path) const
{
    if (!path.startsWith('/') || (path != kRun && Volumes::isSystemPath(fromNative(path))))
        return false;
    // The mount that holds the folder is the one with the longest mount point.
    QByteArray holder;
    bool holderIsVolume = true;
    const auto consider = [&](const QSet<QByteArray> &mounts, bool volume) {
        for (const QByteArray &mountPoint : mounts)
            if (bytepath::isAtOrBelow(path, mountPoint) && mountPoint.size() > holder.size()) {
                holder = mountPoint;
                holderIsVolume = volume;
            }
    };
    consider(m_volumeMounts, true);
    consider(m_otherMounts, false);
    return holderIsVolume;
}

bool FolderSizeWalk::enters(const QByteArray &path) const
{
    if (m_otherMounts.contains(path))
        return false;
    return path == kRun || !Volumes::isSystemPath(fromNative(path));
}

void FolderSizeWalk::start(int threads, FolderRead folderRead)
{
    m_folderRead = std::move(folderRead);
    for (int i = 0; i < std::max(threads, 1); ++i)
        m_threads.emplace_back([this] {
            lowerOwnPriority();
            run();
        });
}

bool FolderSizeWalk::waitFinished(std::chrono::milliseconds timeout)
{
    std::unique_lock lock(m_mutex);
    return m_changed.wait_for(lock, timeout, [this] { return m_finished; });
}

void FolderSizeWalk::stop()
{
    m_stop.request_stop();
    const std::scoped_lock lock(m_mutex);
    m_changed.notify_all();
}

void FolderSizeWalk::run()
{
    std::unique_lock lock(m_mutex);
    for (;;) {
        if (m_stop.stop_requested()) {
            m_changed.notify_all();
            return;
        }
        if (m_pending.empty()) {
            // The walk is over when no folder waits and no thread reads one.
            if (m_busy == 0) {
                m_finished = true;
                m_changed.notify_all();
                return;
            }
            m_changed.wait(lock);
            continue;
        }
        // Last in, first out: the walk goes deep first and keeps few
        // folders waiting.
        const QByteArray folder = std::move(m_pending.back());
        m_pending.pop_back();
        ++m_busy;
        lock.unlock();
        readOneFolder(folder);
        if (m_folderRead)
            m_folderRead();
        lock.lock();
        --m_busy;
        m_changed.notify_all();
    }
}

void FolderSizeWalk::readOneFolder(const QByteArray &path)
{
    // O_NOFOLLOW: a folder swapped for a link since it was listed is not
    // entered; O_DIRECTORY: a FIFO or device is never opened.
    UniqueFd fd = posix::openPath(path, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (!fd.valid())
        return;
    DIR *dir = ::fdopendir(fd.get());
    if (dir == nullptr)
        return;
    fd.release();
    const bool passage = path == kRun;
    const int dirFd = ::dirfd(dir);
    qint64 bytes = 0;
    qint64 files = 0;
    std::vector<QByteArray> folders;
    int sinceCheck = 0;
    while (const dirent *entry = ::readdir(dir)) {
        if (++sinceCheck == kStopCheckEvery) {
            sinceCheck = 0;
            if (m_stop.stop_requested())
                break;
        }
        const char *name = entry->d_name;
        if (name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0')))
            continue;
        unsigned char type = entry->d_type;
        struct stat info
        {
        };
        if (type == DT_REG || type == DT_UNKNOWN) {
            if (::fstatat(dirFd, name, &info, AT_SYMLINK_NOFOLLOW) != 0)
                continue;
            type = S_ISREG(info.st_mode) ? DT_REG : S_ISDIR(info.st_mode) ? DT_DIR : DT_UNKNOWN;
        }
        if (type == DT_REG && !passage) {
            bytes += qint64(info.st_size);
            ++files;
        } else if (type == DT_DIR) {
            QByteArray child = bytepath::join(path, name);
            if (passage ? child == kRunMedia : enters(child))
                folders.push_back(std::move(child));
        }
    }
    ::closedir(dir);
    m_total.fetch_add(bytes, std::memory_order_relaxed);
    m_files.fetch_add(files, std::memory_order_relaxed);
    if (folders.empty())
        return;
    const std::scoped_lock lock(m_mutex);
    for (QByteArray &folder : folders)
        m_pending.push_back(std::move(folder));
    m_changed.notify_all();
}

} // namespace quil
