#pragma once

#include <QString>

namespace quil {

// The process-wide icon list by name: an icon index is a position in it.
// The namespace hands out indexes; IconList turns them into pictures.
// Thread-safe.
class IconNames
{
public:
    // Fixed places, always present.
    enum Fixed { GenericFile = 0, Folder, Computer, Desktop, Home, HardDisk, RemovableDisk, FixedCount };

    // The index of the icon with this theme name (and the generic name to
    // fall back on), added on first use.
    static int indexOf(const QString &name, const QString &fallback = {});
    // The theme name and fallback of an index; empty for an index out of range.
    static QString name(int index);
    static QString fallback(int index);
    static int count();
};

} // namespace quil
