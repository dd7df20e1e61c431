#pragma once

#include "platform/Volume.h"

#include <QByteArray>
#include <QList>
#include <QObject>

class QSocketNotifier;

namespace quil {

// Watches the mount table and reports its changes as the system's device
// notices, as they happen (on the thread that made the monitor, through its
// event loop): a volume the computer folder lists that appears is an
// arrival, one that disappears a removal, any other change of the table a
// node change.
class VolumeMonitor : public QObject
{
    Q_OBJECT
public:
    enum Event { NodeChange = 7, DeviceArrival = 0x8000, DeviceRemoval = 0x8004 };

    explicit VolumeMonitor(QObject *parent = nullptr);
    ~VolumeMonitor() override;

    // False when the mount table could not be opened (nothing will be reported).
    bool isWatching() const { return m_fd >= 0; }
    // The volumes as the last read of the table found them (no labels).
    const QList<Volume> &volumes() const { return m_volumes; }

Q_SIGNALS:
    // One signal per volume that came or went (with its mount point), or one
    // NodeChange (empty mount point) when the table changed otherwise.
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
