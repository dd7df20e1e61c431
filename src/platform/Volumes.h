#pragma once

#include "platform/Volume.h"

#include <QByteArrayView>
#include <QList>
#include <optional>

namespace quil {

// The storage volumes of the machine, read from the mount table, and among
// them the disks: the volumes a user would see in a file manager's device
// list.
class Volumes
{
public:
    // The disks mounted now: "/" first, then the others by mount point. A
    // disk is "/", a removable device, or a volume a user mounted: below
    // /media, /run/media/<user> or the home folder (as GLib's
    // g_unix_mount_guess_should_display has it). Bind mounts, tmpfs, overlays,
    // squashfs, mounts in hidden folders and the other programs' mounts are
    // none. A mount point mounted over keeps only its top mount. Reads
    // /proc/self/mountinfo and, for each volume, looks up its label and
    // removable flag (a few small reads per volume).
    static QList<Volume> list();

    // The disks of a mountinfo text, as list() tells them but without labels;
    // reads the removable flags and skips mount points that are no folders.
    static QList<Volume> disksOf(QByteArrayView mountInfo);

    // The disks of a mountinfo text by place alone: no removable flags, no
    // labels, no check of the mount points on disk. Pure; for tests.
    static QList<Volume> parseMountInfo(QByteArrayView mountInfo);

    // One top mount of the mount table: a volume (storage, walked by the
    // folder sizes), or a pseudo file system or system mount that is none.
    struct Mount
    {
        Volume volume; // mount point, file system and device only
        bool isVolume = false;
        // A volume that may be a disk: no bind mount, no memory or layered
        // file system, not in a hidden folder.
        bool mayBeDisk = false;
        // Where users mount their media, or "/".
        bool inUserPlace = false;
    };
    // Every top mount of a mountinfo text, in the table's order. Pure but
    // for the home folder and the user's name.
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
