#pragma once

#include "platform/fileop/UndoJournal.h"

#include <QByteArray>
#include <QList>

#include <gio/gio.h>

#include <optional>

// The undo journal's places: a path on disk, or the URI of a GIO location
// (a network folder, an archive, the trash) where a copy or move through GIO
// put an item or took it from. The undo looks at both alike through these.
namespace quil::fileop {

// Whether the place is a GIO location's URI rather than a path on disk.
bool isGioPlace(const QByteArray &place);
// The journal's place of a GIO file: its path when on disk, else its URI.
QByteArray placeOf(GFile *file);
// The item at the place as it is now, a link itself: on disk its lstat; on
// a GIO location its type, size and modification time (no device or
// inode there). nullopt when it is not there.
std::optional<ItemIdentity> readPlaceIdentity(const QByteArray &place);
bool placeExists(const QByteArray &place);
// Makes the folder and its missing parents; true when it is a folder then.
// A folder on disk reached through a link is taken as the operation took
// it: the link followed.
bool makePlaceFolders(const QByteArray &folder);
// The names in the folder, in the form that joined to the folder gives
// each item's place (escaped in a URI). 0 or an errno.
int listPlace(const QByteArray &folder, QList<QByteArray> &names);
// Whether items can be put back at the place: an archive is read only, and
// the trash takes nothing back to the entry it came from.
bool placeTakesItemsBack(const QByteArray &place);

struct OperationState;

// Tells the journal of an item a copy or move through GIO put at
// destination, as the file operation does on disk.
void noteGioPlaced(OperationState &state, GFile *source, GFile *destination);
// Tells the journal of an item a copy or move through GIO replaced: gone
// for good, as GIO replaces in place.
void noteGioReplaced(OperationState &state, GFile *destination);

} // namespace quil::fileop
