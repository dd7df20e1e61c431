#include "platform/OpenWithApplications.h"

#include "platform/NativePath.h"

#include <QSet>

#include <algorithm>
#include <gio/gio.h>

namespace quil {

namespace {

QString contentTypeOf(const QString &path)
{
    GFile *file = g_file_new_for_path(toNative(path).constData());
    GFileInfo *info =
        g_file_query_info(file, G_FILE_ATTRIBUTE_STANDARD_CONTENT_TYPE, G_FILE_QUERY_INFO_NONE, nullptr, nullptr);
    QString type;
    if (info != nullptr) {
        if (const char *content = g_file_info_get_content_type(info))
            type = QString::fromUtf8(content);
        g_object_unref(info);
    }
    g_object_unref(file);
    return type;
}

QIcon iconOf(GAppInfo *application)
{
    GIcon *icon = g_app_info_get_icon(application);
    if (icon == nullptr)
        return {};
    if (G_IS_THEMED_ICON(icon)) {
        const gchar *const *names = g_themed_icon_get_names(G_THEMED_ICON(icon));
        for (int i = 0; names != nullptr && names[i] != nullptr; ++i) {
            const QIcon themed = QIcon::fromTheme(QString::fromUtf8(names[i]));
            if (!themed.isNull())
                return themed;
        }
        return {};
    }
    if (G_IS_FILE_ICON(icon)) {
        gchar *file = g_file_get_path(g_file_icon_get_file(G_FILE_ICON(icon)));
        QIcon fromFile(file != nullptr ? fromNative(QByteArray(file)) : QString());
        g_free(file);
        return fromFile;
    }
    return {};
}

} // namespace

QList<OpenWithApplication> applicationsToOffer(const QString &path)
{
    QList<OpenWithApplication> offered = applicationsFor(path);
    QSet<QString> ids;
    for (const OpenWithApplication &application : std::as_const(offered))
        ids.insert(application.id);
    QList<OpenWithApplication> others;
    GList *all = g_app_info_get_all();
    for (GList *item = all; item != nullptr; item = item->next) {
        auto *application = static_cast<GAppInfo *>(item->data);
        const char *id = g_app_info_get_id(application);
        if (id == nullptr || !g_app_info_should_show(application) || ids.contains(QString::fromUtf8(id)))
            continue;
        ids.insert(QString::fromUtf8(id));
        others.append(
            {QString::fromUtf8(id), QString::fromUtf8(g_app_info_get_name(application)), iconOf(application)});
    }
    g_list_free_full(all, g_object_unref);
    std::sort(others.begin(), others.end(), [](const OpenWithApplication &a, const OpenWithApplication &b) {
        return QString::localeAwareCompare(a.name, b.name) < 0;
    });
    return offered + others;
}

QList<OpenWithApplication> applicationsFor(const QString &path)
{
    const QString type = contentTypeOf(path);
    if (type.isEmpty())
        return {};
    QList<OpenWithApplication> applications;
    const QByteArray typeName = type.toUtf8();
    GAppInfo *preferred = g_app_info_get_default_for_type(typeName.constData(), FALSE);
    const QString defaultId = preferred != nullptr ? QString::fromUtf8(g_app_info_get_id(preferred)) : QString();
    if (preferred != nullptr)
        g_object_unref(preferred);
    GList *all = g_app_info_get_all_for_type(typeName.constData());
    for (GList *item = all; item != nullptr; item = item->next) {
        auto *application = static_cast<GAppInfo *>(item->data);
        const char *id = g_app_info_get_id(application);
        if (id == nullptr || !g_app_info_should_show(application))
            continue;
        applications.append(
            {QString::fromUtf8(id), QString::fromUtf8(g_app_info_get_name(application)), iconOf(application)});
    }
    g_list_free_full(all, g_object_unref);
    return applications;
}

} // namespace quil
