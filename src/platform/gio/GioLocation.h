#pragma once

#include "platform/LocationUri.h"

#include <QByteArray>
#include <QString>

namespace quil {

// A place that GIO reaches beyond the local disk: a network folder (sftp,
// smb, ftp, dav), the trash, an archive opened as a folder. Local paths are
// not GIO locations: they stay on the program's own file code.
//
// True for text that is a URI (scheme ":" ...) whose scheme is not "file"
// and that GIO's virtual file system here handles. Nothing is guessed:
// "user@host:/path" is no URI and stays a (local) path.
bool isGioLocation(const QString &text);

// Whether the item at a GIO location's URI can go to a trash there (a
// server over sftp has none). Asks the location: one round trip.
bool locationItemCanTrash(const QString &uri);

// The URI under which GIO's archive backend shows the archive at a local
// path as a read-only folder (its top folder).
QString archiveLocation(const QByteArray &archivePath);

// Whether a file of this name is an archive that GIO's archive backend
// opens as a folder (zip, tar and its compressed forms, 7z, iso, rar).
bool isArchiveName(const QString &fileName);

} // namespace quil
