#include "platform/gio/GioLocation.h"

#include "platform/gio/GObjectRef.h"

#include <gio/gio.h>

namespace quil {

namespace {

// The scheme of a URI (RFC 3986: a letter, then letters, digits, "+-."),
// lower-cased; empty when text does not start with one and a colon.
QString uriScheme(const QString &text)
{
    const qsizetype colon = text.indexOf(QLatin1Char(':'));
    if (colon < 2) // one letter before ":" is a drive, not a scheme
        return {};
    for (qsizetype i = 0; i < colon; ++i) {
        const QChar c = text.at(i);
        const bool letter =
            (c >= QLatin1Char('a') && c <= QLatin1Char('z')) || (c >= QLatin1Char('A') && c <= QLatin1Char('Z'));
        const bool other = c.isDigit() || c == QLatin1Char('+') || c == QLatin1Char('-') || c == QLatin1Char('.');
        if (!letter && (i == 0 || !other))
            return {};
    }
    return text.left(colon).toLower();
}

} // namespace

bool isGioLocation(const QString &text)
{
    const QString scheme = uriScheme(text);
    if (scheme.isEmpty() || scheme == QLatin1String("file"))
        return false;
    const QByteArray wanted = scheme.toLatin1();
    for (const gchar *const *known = g_vfs_get_supported_uri_schemes(g_vfs_get_default()); known && *known; ++known) {
        if (wanted == *known)
            return true;
    }
    return false;
}

QString archiveLocation(const QByteArray &archivePath)
{
    const GObjectRef<GFile> file(g_file_new_for_path(archivePath.constData()));
    gchar *fileUri = g_file_get_uri(file.get());
    // The archive's own URI is the host part, escaped whole, twice: the form
    // in which the archive backend names its mount's root (escaped once, it
    // mounts, but its folders are then "not mounted").
    gchar *once = g_uri_escape_string(fileUri, nullptr, FALSE);
    gchar *twice = g_uri_escape_string(once, nullptr, FALSE);
    const QString uri = QStringLiteral("archive://") + QString::fromUtf8(twice) + QLatin1Char('/');
    g_free(twice);
    g_free(once);
    g_free(fileUri);
    return uri;
}

bool isArchiveName(const QString &fileName)
{
    static const char *const endings[] = {".zip", ".tar",     ".tar.gz", ".tgz", ".tar.bz2", ".tbz2", ".tar.xz",
                                          ".txz", ".tar.zst", ".tzst",   ".7z",  ".iso",     ".rar"};
    for (const char *ending : endings)
        if (fileName.endsWith(QLatin1String(ending), Qt::CaseInsensitive))
            return true;
    return false;
}

bool locationItemCanTrash(const QString &uri)
{
    const GObjectRef<GFile> file(g_file_new_for_uri(uri.toUtf8().constData()));
    const GObjectRef<GFileInfo> info(g_file_query_info(file.get(), G_FILE_ATTRIBUTE_ACCESS_CAN_TRASH,
                                                       G_FILE_QUERY_INFO_NOFOLLOW_SYMLINKS, nullptr, nullptr));
    return info && g_file_info_get_attribute_boolean(info.get(), G_FILE_ATTRIBUTE_ACCESS_CAN_TRASH);
}

} // namespace quil
