#pragma once

#include <QByteArray>

#include <optional>
#include <vector>

struct stat;

namespace quil {

// Where a trashed item lies in a freedesktop trash: its entry in the trash's
// files folder and its .trashinfo file in the info folder.
struct TrashEntry
{
    QByteArray file;
    QByteArray info;
};

// The name GIO gives an item on its try-th attempt (from 1) when the trash
// already holds the earlier ones: "a.tar.gz", "a.2.tar.gz", "a.3.tar.gz", ...
QByteArray trashName(const QByteArray &baseName, int attempt);

// The .trashinfo file that belongs to an entry of a trash's files folder.
QByteArray trashInfoFor(const QByteArray &trashFile);

// The entries the trash would give the item (at path, with its data st)
// now: in each trash that may take it, the first name whose .trashinfo is
// free. Cost: a few lookups per trash, never a listing of it.
std::vector<TrashEntry> nextTrashEntries(const QByteArray &path, const struct stat &st);

// After the item went to the trash: the one of expected that holds it, or,
// when another program took that name meanwhile, the next of its names
// that does. Cost: a few lookups, never a listing.
std::optional<TrashEntry> placedTrashEntry(const QByteArray &originalPath, const std::vector<TrashEntry> &expected,
                                           const struct stat &before);

// Finds the entry of an item that was just moved to the trash from
// originalPath, by the identity it had (a trash move is a rename, so it keeps
// it), among the names the trash gives that item: the home trash of
// $XDG_DATA_HOME and the volume's own .Trash/$uid and .Trash-$uid are looked
// in. Cost: a few lookups per entry of the same name, never a listing.
std::optional<TrashEntry> findTrashEntry(const QByteArray &originalPath, const struct stat &before);

// The original path a .trashinfo file names (absolute, or relative to the
// volume's top folder for a volume's trash, as written), empty when unreadable.
QByteArray trashInfoPath(const QByteArray &infoFile);

} // namespace quil
