#pragma once

#include <QString>
#include <QStringList>

struct TShellItem;

namespace quil {

class FolderListing;

// The three counters of the selection summary.
struct SelectionSummary
{
    int SelFolderCount = 0; // marked entries the file system calls directories
    int SelFileCount = 0;   // other marked entries found in the file system
    qint64 SelTotalKB = 0;  // kilobytes of all counted entries
};

// The full summary of the marked entries: each is looked up in the file
// system again (one look-up per marked entry). A folder counts its size
// field, a file its bytes / 1024 rounded down but at least 1; an entry not
// found, a volume and a virtual item are not counted.
SelectionSummary selectionSummary(const FolderListing &listing);

// "Выделено в <folders> папках и в <files> файлах: <grouped kilobytes> KB".
QString selectionSummaryText(int folders, int files, qint64 totalKb);

// The kilobytes a folder entry counts with: its size field, 1 before the
// listing has filled its details (what the fill gives a folder).
qint64 folderSizeKb(const TShellItem &entry);
// Stores a folder-size result in the entry of a row, filling its details
// first so that a later fill cannot overwrite the total. Nothing for a row
// outside the list.
void storeFolderSize(FolderListing &listing, int row, qint64 kilobytes);

enum class MaskCommand { Select, Unselect, SelectMissing };

// The mask commands over the file entries of the list (folders are never
// touched): Select marks the names matching the mask, Unselect unmarks them;
// SelectMissing marks the matching names and then unmarks every name that
// equals a row of the second panel exactly (letter case counts). Raises
// InvalidMaskError before any mark changes. O(entries x mask).
void applyMask(FolderListing &listing, MaskCommand command, const QString &mask, const QStringList &panelNames = {});

// Flips the mark of every file entry; folder marks stay.
void invertFileMarks(FolderListing &listing);

} // namespace quil
