#include "platform/FolderWatch.h"

#include "platform/NativePath.h"

#include <QSocketNotifier>

#include <cerrno>
#include <cstring>
#include <sys/inotify.h>
#include <unistd.h>

namespace quil {

namespace {

// Entries created, removed, moved in or out, written, or with new attributes
// (mode, owner, times); the folder itself removed, moved or unmounted.
constexpr uint32_t kWatched = IN_CREATE | IN_DELETE | IN_MOVED_FROM | IN_MOVED_TO | IN_MODIFY | IN_CLOSE_WRITE |
                              IN_ATTRIB | IN_DELETE_SELF | IN_MOVE_SELF | IN_ONLYDIR | IN_EXCL_UNLINK;
constexpr uint32_t kFolderGone = IN_DELETE_SELF | IN_MOVE_SELF | IN_UNMOUNT;

} // namespace

FolderWatch::FolderWatch(QObject *parent) : QObject(parent)
{
    m_gather.setSingleShot(true);
    m_gather.setInterval(kGatherMsecs);
    connect(&m_gather, &QTimer::timeout, this, [this] {
        if (!m_pending.isEmpty())
            Q_EMIT changed();
    });
    m_fd = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    if (m_fd < 0)
        return;
    m_notifier = new QSocketNotifier(qintptr(m_fd), QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &FolderWatch::readNotices);
}

FolderWatch::~FolderWatch()
{
    delete m_notifier;
    if (m_fd >= 0)
        ::close(m_fd);
}

bool FolderWatch::watch(const QString &folderPath)
{
    if (m_fd < 0 || !folderPath.startsWith(QLatin1Char('/'))) {
        stop();
        return false;
    }
    const int watch = ::inotify_add_watch(m_fd, toNative(folderPath).constData(), kWatched);
    if (watch != m_watch || folderPath != m_folder) {
        // Notices of the folder left are of no use any more.
        readNotices();
        if (m_watch >= 0 && m_watch != watch)
            ::inotify_rm_watch(m_fd, m_watch);
        m_pending = {};
        m_gather.stop();
    }
    m_watch = watch;
    m_folder = watch >= 0 ? folderPath : QString();
    return watch >= 0;
}

void FolderWatch::stop()
{
    if (m_watch >= 0)
        ::inotify_rm_watch(m_fd, m_watch);
    m_watch = -1;
    m_folder.clear();
    m_pending = {};
    m_gather.stop();
}

FolderWatch::Changes FolderWatch::take()
{
    readNotices();
    m_gather.stop();
    return std::exchange(m_pending, Changes{});
}

void FolderWatch::readNotices()
{
    if (m_fd < 0)
        return;
    alignas(inotify_event) char buffer[64 * 1024];
    for (;;) {
        const ssize_t length = ::read(m_fd, buffer, sizeof buffer);
        if (length <= 0)
            break;
        for (ssize_t at = 0; at < length;) {
            const auto *event = reinterpret_cast<const inotify_event *>(buffer + at);
            at += ssize_t(sizeof(inotify_event) + event->len);
            if (event->mask & IN_Q_OVERFLOW) {
                m_pending.overflow = true;
                continue;
            }
            // Notices of a folder watched before.
            if (event->wd != m_watch || m_watch < 0)
                continue;
            if (event->mask & kFolderGone)
                m_pending.folderGone = true;
            if (event->len > 0)
                m_pending.names.insert(fromNative(QByteArrayView(event->name, qsizetype(std::strlen(event->name)))));
        }
    }
    if (!m_pending.isEmpty() && !m_gather.isActive())
        m_gather.start();
}

} // namespace quil
