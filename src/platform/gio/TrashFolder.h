#pragma once

#include <QString>

namespace quil {

// The trash as a folder (trash:///), through GIO's trash backend: its items
// are named by their trash:/// URIs. Each returns an empty text on success,
// else the message for the user.

// Moves the item back to the place it was deleted from (its folder made
// again when gone); refused, with a message, when that place is taken.
QString restoreFromTrash(const QString &itemUri);

// Deletes every item of the trash for good.
QString emptyTrash();

// The trash folder's URI.
inline QString trashFolderUri()
{
    return QStringLiteral("trash:///");
}

} // namespace quil
