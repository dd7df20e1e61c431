#include "platform/fileop/GioTrash.h"

#include <gio/gio.h>
#include <sys/stat.h>

namespace quil {

QString moveToTrash(const QByteArray &path, std::optional<TrashEntry> *placed, const struct stat *given)
{
    // GIO does not say which name it gave the item: the names it would
    // take are read before, and the one that holds the item after.
    struct stat before;
    if (given)
        before = *given;
    std::vector<TrashEntry> expected;
    const bool seen = placed && (given || ::lstat(path.constData(), &before) == 0);
    if (seen)
        expected = nextTrashEntries(path, before);
    GFile *file = g_file_new_for_path(path.constData());
    GError *error = nullptr;
    const gboolean ok = g_file_trash(file, nullptr, &error);
    g_object_unref(file);
    if (ok) {
        if (seen)
            *placed = placedTrashEntry(path, expected, before);
        return {};
    }
    QString reason =
        error ? QString::fromUtf8(error->message) : QStringLiteral("The item cannot be moved to the trash");
    if (error)
        g_error_free(error);
    return reason.isEmpty() ? QStringLiteral("The item cannot be moved to the trash") : reason;
}

} // namespace quil
