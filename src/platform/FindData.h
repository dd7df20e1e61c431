#pragma once

#include <QDateTime>
#include <QtGlobal>

namespace quil {

// File attribute bits as the listing shows them. Linux keeps no archive bit.
enum FileAttribute : quint32 {
    AttributeReadOnly = 1,   // the current user may not write the item
    AttributeHidden = 2,     // the name begins with "."
    AttributeSystem = 4,     // neither a regular file, a folder nor a symbolic link
    AttributeDirectory = 16, // a folder, or a link to one
    AttributeArchive = 32,   // never set
};

// What the file system tells about one item.
struct FindData
{
    quint64 size = 0;         // bytes; 0 for folders
    qint64 modifiedMsecs = 0; // modification time, ms since the epoch; 0 when unknown
    quint32 attributes = 0;   // FileAttribute bits

    // The modification time in local time; invalid when unknown.
    QDateTime modified() const
    {
        return modifiedMsecs == 0 ? QDateTime() : QDateTime::fromMSecsSinceEpoch(modifiedMsecs).toLocalTime();
    }
};

} // namespace quil
