#include "platform/fileop/UndoPlaces.h"

#include "platform/BytePath.h"
#include "platform/NativePath.h"
#include "platform/UniqueFd.h"
#include "platform/fileop/FileOperationCalls.h"
#include "platform/fileop/GioCalls.h"
#include "platform/fileop/OperationState.h"
#include "platform/gio/GObjectRef.h"
#include "platform/gio/GioLocation.h"

#include <cerrno>
#include <sys/stat.h>

namespace quil::fileop {

namespace {

constexpr const char *kIdentityAttributes = "standard::type,standard::size,time::modified,time::modified-usec";

GFile *gioFileOf(const QByteArray &uri)
{
    return g_file_new_for_uri(uri.constData());
}

QByteArray takeText(gchar *text)
{
    QByteArray bytes(text ? text : "");
    g_free(text);
    return bytes;
}

mode_t typeOf(GFileType type)
{
    switch (type) {
    case G_FILE_TYPE_DIRECTORY:
        return S_IFDIR;
    case G_FILE_TYPE_SYMBOLIC_LINK:
        return S_IFLNK;
    case G_FILE_TYPE_REGULAR:
        return S_IFREG;
    default:
        return 0;
    }
}

bool makeFoldersOnDisk(const QByteArray &folder)
{
    if (folder.isEmpty())
        return false;
    struct stat st;
    if (::stat(folder.constData(), &st) == 0)
        return S_ISDIR(st.st_mode);
    if (errno != ENOENT || ::lstat(folder.constData(), &st) == 0 || !makeFoldersOnDisk(bytepath::parent(folder)))
        return false;
    return ::mkdir(folder.constData(), 0777) == 0 || errno == EEXIST;
}

} // namespace

bool isGioPlace(const QByteArray &place)
{
    return !place.startsWith('/') && isGioLocation(fromNative(place));
}

QByteArray placeOf(GFile *file)
{
    return g_file_is_native(file) ? takeText(g_file_get_path(file)) : takeText(g_file_get_uri(file));
}

std::optional<ItemIdentity> readPlaceIdentity(const QByteArray &place)
{
    if (!isGioPlace(place))
        return ItemIdentity::read(place);
    const GObjectRef<GFile> file(gioFileOf(place));
    const GObjectRef<GFileInfo> info(
        g_file_query_info(file.get(), kIdentityAttributes, G_FILE_QUERY_INFO_NOFOLLOW_SYMLINKS, nullptr, nullptr));
    if (!info)
        return std::nullopt;
    ItemIdentity identity;
    identity.type = typeOf(g_file_info_get_file_type(info.get()));
    identity.size = g_file_info_get_size(info.get());
    identity.modified.tv_sec = time_t(g_file_info_get_attribute_uint64(info.get(), G_FILE_ATTRIBUTE_TIME_MODIFIED));
    identity.modified.tv_nsec =
        long(g_file_info_get_attribute_uint32(info.get(), G_FILE_ATTRIBUTE_TIME_MODIFIED_USEC)) * 1000;
    return identity;
}

bool placeExists(const QByteArray &place)
{
    if (!isGioPlace(place)) {
        struct stat st;
        return ::lstat(place.constData(), &st) == 0;
    }
    const GObjectRef<GFile> file(gioFileOf(place));
    return g_file_query_exists(file.get(), nullptr);
}

bool makePlaceFolders(const QByteArray &folder)
{
    if (!isGioPlace(folder))
        return makeFoldersOnDisk(folder);
    const GObjectRef<GFile> file(gioFileOf(folder));
    if (g_file_query_file_type(file.get(), G_FILE_QUERY_INFO_NONE, nullptr) == G_FILE_TYPE_DIRECTORY)
        return true;
    return g_file_make_directory_with_parents(file.get(), nullptr, nullptr);
}

int listPlace(const QByteArray &folder, QList<QByteArray> &names)
{
    if (!isGioPlace(folder)) {
        const UniqueFd opened(openFolder(folder));
        return opened.valid() ? listFolder(opened.get(), names) : errno;
    }
    const GObjectRef<GFile> file(gioFileOf(folder));
    GError *error = nullptr;
    const GObjectRef<GFileEnumerator> children(g_file_enumerate_children(
        file.get(), G_FILE_ATTRIBUTE_STANDARD_NAME, G_FILE_QUERY_INFO_NOFOLLOW_SYMLINKS, nullptr, &error));
    GFileInfo *child = nullptr;
    GFile *childFile = nullptr;
    while (children && g_file_enumerator_iterate(children.get(), &child, &childFile, nullptr, &error) && child)
        names.append(bytepath::fileName(placeOf(childFile)));
    const int code = error ? errnoOf(error) : 0;
    g_clear_error(&error);
    return code;
}

bool placeTakesItemsBack(const QByteArray &place)
{
    return !place.startsWith("archive:") && !place.startsWith("trash:");
}

void noteGioPlaced(OperationState &state, GFile *source, GFile *destination)
{
    if (state.placed)
        state.notePlaced(placeOf(source), placeOf(destination));
}

void noteGioReplaced(OperationState &state, GFile *destination)
{
    if (state.replaced)
        state.noteReplaced(placeOf(destination), {});
}

} // namespace quil::fileop
