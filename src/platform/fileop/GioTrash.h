#pragma once

#include <QByteArray>
#include <QString>

namespace quil {

// Moves one item to the freedesktop trash through GIO: the home trash for
// items on the home volume (created, with its parents, when missing), the
// volume's own .Trash-$uid on other volumes. Returns an empty text on success,
// otherwise GIO's reason (for example on volumes GIO keeps no trash for).
QString moveToTrash(const QByteArray &path);

} // namespace quil
