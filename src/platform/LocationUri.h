#pragma once

#include <QByteArray>
#include <QString>

namespace quil {

// The spelling of GIO locations' URIs, as text only (no GIO call, no
// server asked): a folder's URI ends with "/", names are percent-escaped.

// The URI of the folder that holds a GIO location's item ("sftp://h/a/b" →
// "sftp://h/a/"); empty at the location's top (a share, a server's root, an
// archive's top), where going up leaves the location.
QString gioParentLocation(const QString &uri);

// The URI of the entry named name (the location's own bytes) of a folder.
QString gioChildLocation(const QString &folderUri, const QByteArray &name, bool isFolder);

// The last name of a location's URI, unescaped; empty at its top.
QString gioLocationName(const QString &uri);

// The URI as a message shows it: its escapes undone where what they spell is
// readable text ("sftp://h/два #2.txt"); as it is otherwise, and a path on
// disk always as it is. Only for
// reading: the result need not parse back to the same location.
QString readableLocation(const QString &uri);

// The local path of the archive whose top folder the URI names (the reverse
// of archiveLocation); empty for any other URI.
QByteArray archiveOfLocation(const QString &uri);

// Whether the URI is in an archive opened as a folder (read-only).
bool isInArchive(const QString &uri);

// Whether the URI is the trash folder or an item in it.
bool isInTrash(const QString &uri);

} // namespace quil
