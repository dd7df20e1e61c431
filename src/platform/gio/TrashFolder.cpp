#include "platform/gio/TrashFolder.h"

#include "platform/gio/GObjectRef.h"

#include <QCoreApplication>

#include <gio/gio.h>

namespace quil {

namespace {

// GIO's text for a failure, freeing it; empty for none.
QString takeMessage(GError *error)
{
    if (!error)
        return {};
    QString message = QString::fromUtf8(error->message);
    g_error_free(error);
    return message;
}

GObjectRef<GFile> fileOf(const QString &uri)
{
    return GObjectRef<GFile>(g_file_new_for_uri(uri.toUtf8().constData()));
}

} // namespace

QString restoreFromTrash(const QString &itemUri)
{
    const GObjectRef<GFile> item = fileOf(itemUri);
    GError *error = nullptr;
    const GObjectRef<GFileInfo> info(
        g_file_query_info(item.get(), G_FILE_ATTRIBUTE_TRASH_ORIG_PATH, G_FILE_QUERY_INFO_NONE, nullptr, &error));
    if (!info)
        return takeMessage(error);
    const char *originalPath = g_file_info_get_attribute_byte_string(info.get(), G_FILE_ATTRIBUTE_TRASH_ORIG_PATH);
    if (!originalPath)
        return QCoreApplication::translate("TrashFolder", "Корзина не знает, откуда удалён этот объект.");
    const GObjectRef<GFile> original(g_file_new_for_path(originalPath));
    const QString shownPath = QString::fromLocal8Bit(originalPath);
    // Never over what now lies there: nothing of the user's is lost.
    if (g_file_query_file_type(original.get(), G_FILE_QUERY_INFO_NOFOLLOW_SYMLINKS, nullptr) != G_FILE_TYPE_UNKNOWN)
        return QCoreApplication::translate("TrashFolder", "Нельзя восстановить: место «%1» уже занято.").arg(shownPath);
    const GObjectRef<GFile> folder(g_file_get_parent(original.get()));
    if (folder && !g_file_make_directory_with_parents(folder.get(), nullptr, &error) &&
        !g_error_matches(error, G_IO_ERROR, G_IO_ERROR_EXISTS))
        return takeMessage(error);
    g_clear_error(&error);
    if (!g_file_move(item.get(), original.get(), G_FILE_COPY_NOFOLLOW_SYMLINKS, nullptr, nullptr, nullptr, &error))
        return takeMessage(error);
    return {};
}

QString emptyTrash()
{
    const GObjectRef<GFile> trash = fileOf(trashFolderUri());
    GError *error = nullptr;
    const GObjectRef<GFileEnumerator> items(g_file_enumerate_children(
        trash.get(), G_FILE_ATTRIBUTE_STANDARD_NAME, G_FILE_QUERY_INFO_NOFOLLOW_SYMLINKS, nullptr, &error));
    if (!items)
        return takeMessage(error);
    QString firstFailure;
    GFile *child = nullptr;
    // The trash deletes a top item with its content; a failure leaves the
    // others going.
    while (g_file_enumerator_iterate(items.get(), nullptr, &child, nullptr, &error) && child) {
        GError *failure = nullptr;
        if (!g_file_delete(child, nullptr, &failure)) {
            const QString message = takeMessage(failure);
            if (firstFailure.isEmpty())
                firstFailure = message;
        }
    }
    if (error)
        return takeMessage(error);
    return firstFailure;
}

} // namespace quil
