#pragma once

#include <QString>

namespace quil {

// One mounted storage volume as the computer folder lists it.
struct Volume
{
    QString mountPoint; // absolute, fromNative form
    QString device;     // the mount source, such as /dev/sda1 or tmpfs
    QString fileSystem; // such as ext4, vfat, tmpfs
    QString label;      // the file system's label, empty when it has none
    bool removable = false;

    // The name the computer folder shows: the label, or "Диск" without one,
    // then the mount point in parentheses.
    QString displayName() const;

    friend bool operator==(const Volume &, const Volume &) = default;
};

// Size and free space of a volume in bytes. A volume may report 0 for both
// (pseudo or empty file systems); callers must not divide by total blindly.
struct VolumeSpace
{
    quint64 total = 0;
    quint64 free = 0; // what the current user may still use
};

} // namespace quil
