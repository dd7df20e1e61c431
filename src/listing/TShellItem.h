#pragma once

#include "platform/FolderChild.h"
#include "platform/ItemId.h"

#include <QString>

// One entry of the main window's current folder; entry i is row i of the list.
// Made cheaply when the folder is read (identifier and name); the other
// fields are filled once, when the row is first about to be drawn.
struct TShellItem
{
    // The item's identifier after the first detail fill; empty until then.
    quil::ItemId absoluteId;
    // The item as the folder enumerated it: its identifier (a full path, so
    // already absolute), name and folder flag.
    quil::FolderChild folderChild;
    bool needsDetails = true;
    QString name;     // display name, normal form
    QString typeText; // at most 80 characters
    int iconIndex = 0;
    // Kilobytes, rounded up, at least 1 after the detail fill; a folder's
    // total once the folder size worker has counted it.
    qint64 size = 0;
    quint32 attributes = 0; // quil::FileAttribute bits
    QString dateText;       // local date and time, empty when unknown
    bool marked = false;

    // The item's full path; a volume's mount point; empty for a virtual
    // folder such as the computer folder.
    const QString &path() const { return folderChild.id.path(); }
};
