#pragma once

#include "platform/fileop/TrashEntry.h"

#include <QByteArray>
#include <QString>

#include <optional>

struct stat;

namespace quil {

// Moves one item to the freedesktop trash through GIO: the home trash for
// items on the home volume (created, with its parents, when missing), the
// volume's own .Trash-$uid on other volumes. Returns an empty text on success,
// otherwise GIO's reason (for example on volumes GIO keeps no trash for).
// With placed given, it receives the entry the item got in the trash (none
// when it cannot be told); the cost stays a few lookups, never a listing.
// before: the item's own data, when the caller has just read it.
QString moveToTrash(const QByteArray &path, std::optional<TrashEntry> *placed = nullptr,
                    const struct stat *before = nullptr);

} // namespace quil
