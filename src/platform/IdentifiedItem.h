#pragma once

#include <QString>

#include <sys/stat.h>
#include <sys/types.h>

namespace quil {

// An item of the file system as it was when first seen: its path and its
// identity (device and inode). Changes made later reach that very item or
// nothing: a name that meanwhile names something else (replaced by a link or
// another file) is refused, so a change never lands on whatever the name
// points to now.
class IdentifiedItem
{
public:
    // The item the path names now, the path's last name not followed (lstat).
    // Raises OsError when it cannot be examined; info receives its status.
    IdentifiedItem(const QString &path, struct stat &info);

    // Sets (on) or clears the mode bits of the item: opened without following
    // a link (O_PATH | O_NOFOLLOW), its identity checked, the mode changed
    // through the descriptor. 0 on success, else an errno (ESTALE when the
    // name no longer names the item).
    int changeMode(mode_t bits, bool on) const;

private:
    QString m_path;
    dev_t m_device = 0;
    ino_t m_inode = 0;
};

} // namespace quil
