#include "platform/fileop/GioCalls.h"

#include "platform/LocationUri.h"
#include "platform/gio/GioLocation.h"

#include <QFile>

#include <cerrno>

namespace quil::fileop {

GFile *gioFileFor(const QString &pathOrUri)
{
    if (isGioLocation(pathOrUri))
        return g_file_new_for_uri(pathOrUri.toUtf8().constData());
    return g_file_new_for_path(QFile::encodeName(pathOrUri).constData());
}

QByteArray gioShownName(GFile *file)
{
    // A location's file may have a path too (gvfs's FUSE view): the user
    // knows it by its URI.
    if (g_file_is_native(file))
        return QByteArray(g_file_peek_path(file));
    gchar *name = g_file_get_parse_name(file);
    const QByteArray shown = readableLocation(QString::fromUtf8(name)).toUtf8();
    g_free(name);
    return shown;
}

QByteArray gioBaseName(GFile *file)
{
    gchar *name = g_file_get_basename(file);
    QByteArray base(name ? name : "");
    g_free(name);
    return base;
}

int errnoOf(const GError *error)
{
    if (error->domain != G_IO_ERROR)
        return EIO;
    switch (error->code) {
    case G_IO_ERROR_NOT_FOUND:
        return ENOENT;
    case G_IO_ERROR_EXISTS:
        return EEXIST;
    case G_IO_ERROR_PERMISSION_DENIED:
        return EACCES;
    case G_IO_ERROR_NO_SPACE:
        return ENOSPC;
    case G_IO_ERROR_NOT_DIRECTORY:
        return ENOTDIR;
    case G_IO_ERROR_IS_DIRECTORY:
        return EISDIR;
    case G_IO_ERROR_NOT_SUPPORTED:
        return ENOTSUP;
    case G_IO_ERROR_CANCELLED:
        return ECANCELED;
    default:
        return EIO;
    }
}

} // namespace quil::fileop
