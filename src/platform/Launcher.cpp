#include "platform/Launcher.h"

#include "platform/FolderPath.h"
#include "platform/NativePath.h"

#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <cstdlib>
#include <gio/gdesktopappinfo.h>
#include <gio/gio.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace quil {

namespace {

struct GObjectDeleter
{
    void operator()(gpointer object) const
    {
        if (object != nullptr)
            g_object_unref(object);
    }
};
template <typename T> using GPtr = std::unique_ptr<T, GObjectDeleter>;

struct GErrorHolder
{
    GError *error = nullptr;
    ~GErrorHolder()
    {
        if (error != nullptr)
            g_error_free(error);
    }
};

bool exists(const QByteArray &native, struct stat *info)
{
    return ::stat(native.constData(), info) == 0;
}

bool isExecutableFile(const QByteArray &native)
{
    struct stat info
    {
    };
    return exists(native, &info) && S_ISREG(info.st_mode) && ::access(native.constData(), X_OK) == 0;
}

QString absolute(const QString &path)
{
    if (path.startsWith(QLatin1Char('/')))
        return path;
    return FolderPath(QDir::currentPath()).filePath(path);
}

// Starts argv directly; with pid set, the child is left for the caller to
// reap, otherwise GLib's spawn lets it go (it is reaped by an intermediate child).
bool spawn(const QByteArray &program, const QStringList &arguments, GPid *pid)
{
    std::vector<QByteArray> storage;
    storage.push_back(program);
    for (const QString &argument : arguments)
        storage.push_back(toNative(argument));
    std::vector<gchar *> argv;
    for (QByteArray &item : storage)
        argv.push_back(item.data());
    argv.push_back(nullptr);
    GErrorHolder error;
    // No G_SPAWN_SEARCH_PATH: the program is already a path; nothing is
    // looked up or interpreted again.
    const auto flags = GSpawnFlags(pid != nullptr ? G_SPAWN_DO_NOT_REAP_CHILD : G_SPAWN_DEFAULT);
    return g_spawn_async(nullptr, argv.data(), nullptr, flags, nullptr, nullptr, pid, &error.error) != FALSE;
}

void noteChild(GDesktopAppInfo *, GPid pid, gpointer data)
{
    *static_cast<GPid *>(data) = pid;
}

// Launches an application on one file. With pid set, the started process is
// left unreaped and its id stored (0 when the application gave none).
// A URI (scheme "://"), as the files of GIO locations are named; else a path.
bool isUri(const QString &path)
{
    static const QRegularExpression scheme(QStringLiteral("^[A-Za-z][A-Za-z0-9+.-]*://"));
    return scheme.match(path).hasMatch();
}

GFile *newFile(const QString &path)
{
    return isUri(path) ? g_file_new_for_uri(path.toUtf8().constData())
                       : g_file_new_for_path(toNative(absolute(path)).constData());
}

// What an application gets for a file of a GIO location: its URI where the
// application takes URIs; else a local path, gvfs's own (FUSE) where it has
// one, or else a copy in a temporary folder (left for the application).
GFile *fileForApplication(GAppInfo *application, GFile *file)
{
    if (g_file_is_native(file) || g_app_info_supports_uris(application))
        return G_FILE(g_object_ref(file));
    if (char *local = g_file_get_path(file)) {
        GFile *fuse = g_file_new_for_path(local);
        g_free(local);
        return fuse;
    }
    QTemporaryDir folder(QDir::tempPath() + QStringLiteral("/quil-open-XXXXXX"));
    if (!folder.isValid())
        return nullptr;
    folder.setAutoRemove(false);
    char *name = g_file_get_basename(file);
    GFile *copy = g_file_new_for_path((toNative(folder.path()) + '/' + name).constData());
    g_free(name);
    if (!g_file_copy(file, copy, G_FILE_COPY_NONE, nullptr, nullptr, nullptr, nullptr)) {
        g_object_unref(copy);
        return nullptr;
    }
    return copy;
}

bool launchOnFile(GAppInfo *application, const QString &path, GPid *pid)
{
    if (application == nullptr)
        return false;
    const GPtr<GFile> given(newFile(path));
    GPtr<GFile> file(fileForApplication(application, given.get()));
    if (!file)
        return false;
    GErrorHolder error;
    GList files{};
    files.data = file.get();
    if (pid == nullptr || !G_IS_DESKTOP_APP_INFO(application))
        return g_app_info_launch(application, &files, nullptr, &error.error) != FALSE;
    gchar *uri = g_file_get_uri(file.get());
    GList uris{};
    uris.data = uri;
    *pid = 0;
    const gboolean ok = g_desktop_app_info_launch_uris_as_manager(
        G_DESKTOP_APP_INFO(application), &uris, nullptr, GSpawnFlags(G_SPAWN_SEARCH_PATH | G_SPAWN_DO_NOT_REAP_CHILD),
        nullptr, nullptr, noteChild, pid, &error.error);
    g_free(uri);
    return ok != FALSE;
}

GAppInfo *defaultHandler(const QString &path)
{
    if (isUri(path)) {
        GPtr<GFile> file(newFile(path));
        return g_file_query_default_handler(file.get(), nullptr, nullptr);
    }
    const QByteArray native = toNative(absolute(path));
    struct stat info
    {
    };
    if (!exists(native, &info))
        return nullptr;
    GPtr<GFile> file(g_file_new_for_path(native.constData()));
    GErrorHolder error;
    return g_file_query_default_handler(file.get(), nullptr, &error.error);
}

std::unique_ptr<StartedProcess> startedOrNull(bool ok, GPid pid)
{
    if (!ok || pid <= 0)
        return nullptr;
    return std::make_unique<StartedProcess>(qint64(pid));
}

} // namespace

bool Launcher::enterFolder(const FolderPath &folder)
{
    const QString path = folder.isEmpty() ? QDir::homePath() : folder.path();
    return ::chdir(toNative(path).constData()) == 0;
}

QStringList Launcher::arguments(const QString &parameters, ArgumentForm form)
{
    if (form == ArgumentForm::Split)
        return QProcess::splitCommand(parameters);
    if (parameters.isEmpty())
        return {};
    return {parameters};
}

QString Launcher::resolveProgram(const QString &programText, bool *isDocument)
{
    if (isDocument != nullptr)
        *isDocument = false;
    QString program = programText;
    if (program.size() >= 2 && program.startsWith(QLatin1Char('"')) && program.endsWith(QLatin1Char('"')))
        program = program.mid(1, program.size() - 2);
    if (program.isEmpty())
        return {};
    const auto asPath = [&](const QString &path) -> QString {
        const QByteArray native = toNative(path);
        struct stat info
        {
        };
        if (!exists(native, &info))
            return {};
        if (isDocument != nullptr)
            *isDocument = !(S_ISREG(info.st_mode) && ::access(native.constData(), X_OK) == 0);
        return path;
    };
    if (program.contains(QLatin1Char('/')))
        return asPath(absolute(program));
    const char *pathVariable = std::getenv("PATH");
    const QByteArray searchPath = pathVariable != nullptr ? QByteArray(pathVariable) : QByteArray("/usr/bin:/bin");
    // A name without a folder is looked up on PATH alone: never in the current
    // folder (the browsed one), where anybody may have put a program by that name.
    for (const QByteArray &folder : searchPath.split(':')) {
        if (!folder.startsWith('/'))
            continue;
        const QByteArray candidate = folder + '/' + toNative(program);
        if (isExecutableFile(candidate))
            return fromNative(candidate);
    }
    return {};
}

bool Launcher::openDocument(const QString &path)
{
    GPtr<GAppInfo> application(defaultHandler(path));
    return launchOnFile(application.get(), path, nullptr);
}

bool Launcher::openUri(const QString &uri)
{
    GErrorHolder error;
    return g_app_info_launch_default_for_uri(uri.toUtf8().constData(), nullptr, &error.error) != FALSE;
}

bool Launcher::openWith(const QString &applicationId, const QString &path)
{
    GPtr<GDesktopAppInfo> application(g_desktop_app_info_new(applicationId.toUtf8().constData()));
    return launchOnFile(G_APP_INFO(application.get()), path, nullptr);
}

bool Launcher::run(const QString &program, const QString &parameters, ArgumentForm form)
{
    bool document = false;
    const QString file = resolveProgram(program, &document);
    if (file.isEmpty())
        return false;
    if (document)
        return openDocument(file);
    return spawn(toNative(file), arguments(parameters, form), nullptr);
}

std::unique_ptr<StartedProcess> Launcher::start(const QString &program, const QString &parameters, ArgumentForm form)
{
    bool document = false;
    const QString file = resolveProgram(program, &document);
    if (file.isEmpty())
        return nullptr;
    GPid pid = 0;
    if (document) {
        GPtr<GAppInfo> application(defaultHandler(file));
        const bool ok = launchOnFile(application.get(), file, &pid);
        return startedOrNull(ok, pid);
    }
    const bool ok = spawn(toNative(file), arguments(parameters, form), &pid);
    return startedOrNull(ok, pid);
}

bool Launcher::hasDefaultApplication(const QString &contentType)
{
    GPtr<GAppInfo> application(g_app_info_get_default_for_type(contentType.toUtf8().constData(), FALSE));
    return application != nullptr;
}

std::unique_ptr<StartedProcess> Launcher::startDefaultApplication(const QString &contentType, const QString &path)
{
    GPtr<GAppInfo> application(g_app_info_get_default_for_type(contentType.toUtf8().constData(), FALSE));
    GPid pid = 0;
    const bool ok = launchOnFile(application.get(), path, &pid);
    return startedOrNull(ok, pid);
}

} // namespace quil
