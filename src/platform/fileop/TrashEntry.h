#pragma once

#include <QByteArray>

#include <optional>

struct stat;

namespace quil {

// Where a trashed item lies in a freedesktop trash: its entry in the trash's
// files folder and its .trashinfo file in the info folder.
struct TrashEntry
{
    QByteArray file;
    QByteArray info;
};

// Finds the entry of an item that was just moved to the trash from
// originalPath, by the identity it had (a trash move is a rename, so it keeps
// it): the home trash of $XDG_DATA_HOME and the volume's own .Trash/$uid and
// .Trash-$uid are looked in. Cost: one listing of each trash's files folder.
std::optional<TrashEntry> findTrashEntry(const QByteArray &originalPath, const struct stat &before);

// The original path a .trashinfo file names (absolute, or relative to the
// volume's top folder for a volume's trash, as written), empty when unreadable.
QByteArray trashInfoPath(const QByteArray &infoFile);

} // namespace quil
