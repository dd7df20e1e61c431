#include "platform/fileop/GioTrash.h"

#include <gio/gio.h>

namespace quil {

QString moveToTrash(const QByteArray &path)
{
    GFile *file = g_file_new_for_path(path.constData());
    GError *error = nullptr;
    const gboolean ok = g_file_trash(file, nullptr, &error);
    g_object_unref(file);
    if (ok)
        return {};
    QString reason =
        error ? QString::fromUtf8(error->message) : QStringLiteral("The item cannot be moved to the trash");
    if (error)
        g_error_free(error);
    return reason.isEmpty() ? QStringLiteral("The item cannot be moved to the trash") : reason;
}

} // namespace quil
