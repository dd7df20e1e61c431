#pragma once

#include <QList>
#include <QString>

namespace quil {

// One row of the folder chooser's list.
struct FolderListRow
{
    QString path;      // the folder, without a trailing "/" ("/" itself whole)
    QString caption;   // the last component of the path ("/" for the root)
    int depth = 0;     // indentation level
    bool open = false; // the row is the chosen folder or one of its ancestors
};

// The rows of a folder list opened at a folder: the volume root (or "/"
// when the folder lies outside it), each folder down to the chosen one,
// then the chosen folder's subfolders (hidden ones included, sorted by the
// locale without regard to case), each level indented one step deeper.
// Reads the chosen folder once; one that cannot be read has no subfolders.
QList<FolderListRow> folderListRows(const QString &volumeRoot, const QString &folder);

} // namespace quil
