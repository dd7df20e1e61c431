#pragma once

#include "platform/FolderPath.h"

#include <QCollator>
#include <QString>
#include <QStringList>

#include <dirent.h>
#include <functional>

namespace quil {

// One listing of the second panel: full paths (or a location's URIs),
// folders apart from files.
struct PanelFolderListing
{
    QStringList folders;
    QStringList files;
};

// Sorts each group by the locale's collation without regard to case.
void sortPanelListing(PanelFolderListing &listing);

// The order of each group of a panel listing: the locale's collation, letter
// case ignored.
class PanelNameOrder
{
public:
    PanelNameOrder();
    // The key of a path's name, or of a location URI's unescaped name.
    QCollatorSortKey key(const QString &path) const;
    // Where path goes in paths sorted in this order: after its equals.
    // O(log n) keys made.
    qsizetype placeOf(const QStringList &paths, const QString &path) const;

private:
    QCollator m_collator;
};

// Reads a folder with the file system's own calls, hidden and special items
// included, "." and ".." left out, in steps of a few entries: a large folder
// can be read on past its first step on another thread. A folder that cannot
// be read reads as empty.
class PanelFolderReader
{
public:
    explicit PanelFolderReader(const FolderPath &folder);
    ~PanelFolderReader();
    PanelFolderReader(const PanelFolderReader &) = delete;
    PanelFolderReader &operator=(const PanelFolderReader &) = delete;

    // Reads up to most more entries; false once the folder is read whole.
    bool readMore(qsizetype most);
    qsizetype folderCount() const { return m_listing.folders.size(); }
    qsizetype fileCount() const { return m_listing.files.size(); }
    // The entries read, each group sorted by the locale's collation without
    // regard to case. O(n log n).
    PanelFolderListing takeSorted();

private:
    FolderPath m_folder;
    DIR *m_dir = nullptr;
    PanelFolderListing m_listing;
};

// The whole folder read at once, as PanelFolderReader reads it.
PanelFolderListing readPanelFolder(const FolderPath &folder);

// The last component of a path: "/" is returned whole; otherwise one
// trailing "/" is dropped and the text after the last "/" returned.
QString LastFolderName(const QString &path);

// A new name for a rename or a created folder that must not reach the system:
// empty, "." or "..", or holding "/" (it would move the item elsewhere) or a
// zero byte.
bool isRefusedNewName(const QString &name);
// The name a created folder really gets: trailing blanks and dots dropped,
// as the system the program was made for does.
QString createdFolderName(const QString &typed);

// Creates the folder name in folder, one level only; false when the name is refused or
// the system fails (exists, no access, missing parent, not a real folder).
bool createOneFolder(const FolderPath &folder, const QString &name);

// Whether the folder is a GIO location's (a network folder, an archive, the
// trash): not the disk, and not the program's own computer folder.
bool isLocationFolder(const FolderPath &folder);
// The item name of folder: its path on the disk, its escaped URI in a location.
QString entryPathIn(const FolderPath &folder, const QString &name);
// createOneFolder for a location's folder, through GIO; false when the name
// is refused or the location fails (exists, read-only, no access).
bool createOneLocationFolder(const FolderPath &folder, const QString &name);

} // namespace quil
