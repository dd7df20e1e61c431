#include "platform/VolumeMonitor.h"

#include "platform/NativePath.h"
#include "platform/PosixIo.h"
#include "platform/Volumes.h"

#include <QSet>
#include <QSocketNotifier>

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>
#include <utility>

namespace quil {

namespace {

constexpr qint64 kMountTableLimit = 16 * 1024 * 1024;

// The lines of a table that belong to the given mount points (the fifth field).
QSet<QByteArray> linesOf(const QByteArray &table, const QSet<QString> &points)
{
    QSet<QByteArray> lines;
    for (const QByteArray &line : table.split('\n')) {
        const QList<QByteArray> fields = line.split(' ');
        if (fields.size() > 4 && points.contains(Volumes::parseMountPoint(fields[4])))
            lines.insert(line);
    }
    return lines;
}

QSet<QString> mountPointsOf(const QList<Volume> &volumes)
{
    QSet<QString> points;
    for (const Volume &volume : volumes)
        points.insert(volume.mountPoint);
    return points;
}
} // namespace

VolumeMonitor::VolumeMonitor(QObject *parent) : QObject(parent)
{
    // The kernel marks the open mount table with POLLPRI | POLLERR whenever
    // it changes; reading it from the start clears the mark.
    m_fd = ::open("/proc/self/mountinfo", O_RDONLY | O_CLOEXEC);
    if (m_fd < 0)
        return;
    m_table = readTable();
    m_volumes = Volumes::disksOf(m_table);
    m_notifier = new QSocketNotifier(m_fd, QSocketNotifier::Exception, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &VolumeMonitor::tableChanged);
}

VolumeMonitor::~VolumeMonitor()
{
    delete m_notifier;
    if (m_fd >= 0)
        ::close(m_fd);
}

QByteArray VolumeMonitor::readTable()
{
    QByteArray table;
    if (::lseek(m_fd, 0, SEEK_SET) < 0)
        return table;
    posix::readToEnd(m_fd, table, kMountTableLimit);
    return table;
}

void VolumeMonitor::tableChanged()
{
    const QByteArray table = readTable();
    if (table == m_table)
        return;
    const QByteArray previous = std::exchange(m_table, table);
    const QList<Volume> volumes = Volumes::disksOf(table);
    const QSet<QString> before = mountPointsOf(m_volumes);
    const QSet<QString> after = mountPointsOf(volumes);
    m_volumes = volumes;
    for (const Volume &volume : volumes)
        if (!before.contains(volume.mountPoint))
            Q_EMIT deviceChange(DeviceArrival, volume.mountPoint);
    for (const QString &point : before)
        if (!after.contains(point))
            Q_EMIT deviceChange(DeviceRemoval, point);
    // A disk that stayed but changed (remounted, another device on its
    // point) is a node change; the other mounts are no disks of the user's.
    const QSet<QString> stayed = before & after;
    if (linesOf(previous, stayed) != linesOf(table, stayed))
        Q_EMIT deviceChange(NodeChange, QString());
}

} // namespace quil
