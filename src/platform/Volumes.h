#pragma once

#include "platform/Volume.h"

#include <QByteArrayView>
#include <QList>
#include <optional>

namespace quil {

// The storage volumes of the machine, read from the mount table.
class Volumes
{
public:
    // The volumes mounted now: "/" first, then the others by mount point.
    // Pseudo file systems and everything below /proc, /sys, /dev and /run
    // (except /run/media) are left out; a mount point mounted over keeps only
    // its top mount. Reads /proc/self/mountinfo and, for each volume, looks
    // up its label and removable flag (a few small reads per volume).
    static QList<Volume> list();

    // The volumes of a mountinfo text, without labels or removable flags and
    // without checking the mount points on disk. Pure; for tests and the monitor.
    static QList<Volume> parseMountInfo(QByteArrayView mountInfo);

    // One top mount of the mount table: a volume, or a pseudo file system or
    // system mount that is none.
    struct Mount
    {
        Volume volume; // mount point, file system and device only
        bool isVolume = false;
    };
    // Every top mount of a mountinfo text, in the table's order. Pure.
    static QList<Mount> parseMounts(QByteArrayView mountInfo);
    // The top mounts of this process's mount table (one read of mountinfo).
    static QList<Mount> mounts();

    // Whether an absolute path lies in /proc, /sys, /dev or /run (but not in
    // /run/media): the system's own folders, never a volume nor walked.
    static bool isSystemPath(QStringView path);

    // A mount point field of mountinfo (blanks and the like escaped as \ooo).
    static QString parseMountPoint(QByteArrayView field);

    // The volume whose mount point is the longest prefix of the absolute
    // path (whole items only); nothing when no listed volume holds it.
    static std::optional<Volume> volumeOf(const QString &path);
    // Same over a given list.
    static std::optional<Volume> volumeOf(const QString &path, const QList<Volume> &volumes);

    // Size and free space of the file system holding the path (statvfs).
    // Raises OsError when the call fails.
    static VolumeSpace space(const QString &path);

    // The label of a device from the links of /dev/disk/by-label (names
    // escaped as \xHH), empty when none.
    static QString labelOf(const QString &device, const QString &labelFolder = QStringLiteral("/dev/disk/by-label"));
    // Whether the block device (or the disk a partition belongs to) is
    // removable, from <disk>/removable in /sys/class/block; false when unknown.
    static bool isRemovable(const QString &device, const QString &blockFolder = QStringLiteral("/sys/class/block"));

    // Whether a file system type is a pseudo one that is never a volume.
    static bool isPseudoFileSystem(QStringView type);
};

} // namespace quil
