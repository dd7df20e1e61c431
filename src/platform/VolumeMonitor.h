#pragma once

#include "platform/Volume.h"

#include <QByteArray>
#include <QList>
#include <QObject>

class QSocketNotifier;

namespace quil {

// Watches the mount table and reports the changes of its disks (as
// Volumes::list() tells them) as the system's device notices, as they happen
// (on the thread that made the monitor, through its event loop): a disk that
// appears is an arrival, one that disappears a removal, a disk whose mount
// changed otherwise a node change. The other mounts report nothing.
class VolumeMonitor : public QObject
{
    Q_OBJECT
public:
    enum Event { NodeChange = 7, DeviceArrival = 0x8000, DeviceRemoval = 0x8004 };

    explicit VolumeMonitor(QObject *parent = nullptr);
    ~VolumeMonitor() override;

    // False when the mount table could not be opened (nothing will be reported).
    bool isWatching() const { return m_fd >= 0; }
    // The disks as the last read of the table found them (no labels).
    const QList<Volume> &volumes() const { return m_volumes; }

Q_SIGNALS:
    // One signal per disk that came or went (with its mount point), and one
    // NodeChange (empty mount point) when a remaining disk's mount changed.
    void deviceChange(int event, const QString &mountPoint);

private:
    void tableChanged();
    QByteArray readTable();

    int m_fd = -1;
    QSocketNotifier *m_notifier = nullptr;
    QByteArray m_table;
    QList<Volume> m_volumes;
};

} // namespace quil
