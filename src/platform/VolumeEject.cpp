#include "platform/VolumeEject.h"

#include "platform/BytePath.h"
#include "platform/NativePath.h"

#include <QEventLoop>

#include <QCoreApplication>
#include <gio/gio.h>

namespace quil {

namespace {

struct Ejecting
{
    QEventLoop loop;
    bool eject = false;
    QString failure;
};

void finished(GObject *source, GAsyncResult *result, gpointer data)
{
    auto *state = static_cast<Ejecting *>(data);
    GError *error = nullptr;
    const gboolean ok = state->eject ? g_mount_eject_with_operation_finish(G_MOUNT(source), result, &error)
                                     : g_mount_unmount_with_operation_finish(G_MOUNT(source), result, &error);
    if (!ok)
        state->failure = error != nullptr ? QString::fromUtf8(error->message) : QStringLiteral("?");
    if (error != nullptr)
        g_error_free(error);
    state->loop.quit();
}

// The mount of the monitor whose root is the mount point; a new reference.
GMount *mountAt(GVolumeMonitor *monitor, const QByteArray &mountPoint)
{
    GMount *found = nullptr;
    GList *mounts = g_volume_monitor_get_mounts(monitor);
    for (GList *item = mounts; item != nullptr && found == nullptr; item = item->next) {
        GFile *root = g_mount_get_root(G_MOUNT(item->data));
        gchar *path = g_file_get_path(root);
        if (path != nullptr && mountPoint == path)
            found = G_MOUNT(g_object_ref(item->data));
        g_free(path);
        g_object_unref(root);
    }
    g_list_free_full(mounts, g_object_unref);
    return found;
}

} // namespace

QString ejectVolume(const QString &mountPoint)
{
    const QByteArray native = bytepath::stripTrailingSlashes(toNative(mountPoint));
    GVolumeMonitor *monitor = g_volume_monitor_get();
    GMount *mount = mountAt(monitor, native);
    g_object_unref(monitor);
    if (mount == nullptr)
        return QCoreApplication::translate("VolumeEject", "Нет такого тома: ") + mountPoint;
    Ejecting state;
    state.eject = g_mount_can_eject(mount) != FALSE;
    if (state.eject)
        g_mount_eject_with_operation(mount, G_MOUNT_UNMOUNT_NONE, nullptr, nullptr, finished, &state);
    else
        g_mount_unmount_with_operation(mount, G_MOUNT_UNMOUNT_NONE, nullptr, nullptr, finished, &state);
    state.loop.exec();
    g_object_unref(mount);
    return state.failure;
}

} // namespace quil
