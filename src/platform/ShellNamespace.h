#pragma once

#include "platform/FindData.h"
#include "platform/FolderChild.h"
#include "platform/ItemComparator.h"
#include "platform/ItemId.h"

#include <QList>
#include <QString>
#include <optional>

namespace quil {

// The namespace the listing walks, in place of the Windows shell folders:
// the desktop holds the home folder and the computer folder; the computer
// folder holds one item per volume; below them are file-system folders.
// Stateless; every call reads the disk afresh. Failing calls raise OsError.
class ShellNamespace
{
public:
    enum class NameForm { Normal, Parsing };
    enum EnumerateFlag {
        NoFlags = 0,
        // stat links and entries of unknown type to tell whether they are
        // folders (one stat each; entries of known type cost nothing).
        ResolveLinks = 1,
        // fill FolderChild::details for every entry (one or two stats each).
        ReadDetails = 2,
    };
    Q_DECLARE_FLAGS(EnumerateFlags, EnumerateFlag)

    static inline const QString computerParsingName = QStringLiteral("computer:///");

    // An identifier for "computer:///" or an absolute path (a trailing "/",
    // "//", "." and ".." are tidied away). Raises OsError (ENOENT) for a
    // relative or empty path and for a path that does not exist.
    static ItemId parse(const QString &text);

    // The folder holding the item: a path's parent folder, the computer
    // folder for "/" and for volumes, the desktop (empty) for the computer
    // folder and for the desktop itself.
    static ItemId parent(const ItemId &item);

    // The child of a folder by name. A name holding "/" reaches further down.
    // For the computer folder the name is a mount point.
    static ItemId join(const ItemId &folder, const QString &name);

    // The folders and files of a folder, hidden ones included, "." and ".."
    // never, in the order the file system gives them. One readdir pass with
    // no stat per entry unless the flags ask for it. Raises OsError when the
    // folder cannot be read (missing, not a folder, no permission).
    static QList<FolderChild> enumerate(const ItemId &folder, EnumerateFlags flags = ResolveLinks);

    // Settles isFolder of a child enumerated without ResolveLinks (one stat).
    static void resolve(FolderChild &child);

    // The name shown in lists (Normal) or the full path / parsing name
    // (Parsing). Volumes: label or "Диск", then the mount point in parentheses.
    static QString displayName(const ItemId &item, NameForm form = NameForm::Normal);

    // True for the desktop, the computer folder, volumes, folders and links
    // to folders (one stat for a path).
    static bool isFolder(const ItemId &item);

    // Size, modification time and attribute bits; nothing when the item
    // cannot be examined. Virtual folders report only the folder bit.
    static std::optional<FindData> findData(const ItemId &item);

    // The localised type name: the MIME comment matched by the file name
    // (the content is never read); folders, volumes and devices get the
    // comments of their own types. One lstat for a path.
    static QString typeText(const ItemId &item);
    // The type name of a file by its name alone (no disk access).
    static QString fileTypeText(const QString &fileName);
    // The type text the list's Type column shows for an enumerated child:
    // typeText for folders and special files (one stat), else fileTypeText.
    static QString listedTypeText(const FolderChild &child);
    // The type name of a folder.
    static QString folderTypeText();

    // The item's place in the process-wide icon list (IconNames). One lstat.
    static int iconIndex(const ItemId &item);
    // The same for a file-system item whose folder-ness is already known:
    // no stat, the name alone decides a file's icon.
    static int iconIndex(const ItemId &item, bool isFolder);

    // The sort key of a child for a column, reading what the column needs
    // (find data for size and date unless already there, the type text for type).
    static ItemSortKey sortKey(const ItemComparator &comparator, FolderChild &child, SortColumn column);

    // Two items by a sort column (see ItemComparator). Reads both items; for
    // sorting many, make keys once with sortKey instead.
    static int compare(const ItemId &a, const ItemId &b, SortColumn column);

    // The home folder ($HOME).
    static ItemId homeFolder();
    // The trash as a folder (GIO's trash:///), an item of the computer folder.
    static ItemId trashFolder();
};

Q_DECLARE_OPERATORS_FOR_FLAGS(ShellNamespace::EnumerateFlags)

} // namespace quil
