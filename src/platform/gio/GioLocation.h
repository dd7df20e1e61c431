#pragma once

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

// The URI under which GIO's archive backend shows the archive at a local
// path as a read-only folder (its top folder).
QString archiveLocation(const QByteArray &archivePath);

// The URI of the folder that holds a GIO location's item ("sftp://h/a/b" →
// "sftp://h/a/"); empty at the location's top (a share, a server's root, an
// archive's top), where going up leaves the location.
QString gioParentLocation(const QString &uri);

} // namespace quil
