#include "platform/fileop/TrashEntry.h"

#include "platform/BytePath.h"
#include "platform/NativePath.h"

#include <QFile>

#include <cstdlib>
#include <gio/gio.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quil {

namespace {

// No trash holds this many items of one name; a bound against a loop.
constexpr int kMostAttempts = 1000000;

// The top folder of the volume the folder lies on: the last parent on its device.
QByteArray volumeTop(const QByteArray &folder, dev_t device)
{
    QByteArray top = folder;
    while (top != "/") {
        const QByteArray up = bytepath::parent(top);
        struct stat st;
        if (up.isEmpty() || ::stat(up.constData(), &st) != 0 || st.st_dev != device)
            break;
        top = up;
    }
    return top;
}

bool exists(const QByteArray &path)
{
    struct stat st;
    return ::lstat(path.constData(), &st) == 0;
}

bool holds(const QByteArray &file, const struct stat &before)
{
    struct stat st;
    return ::lstat(file.constData(), &st) == 0 && st.st_dev == before.st_dev && st.st_ino == before.st_ino;
}

TrashEntry entryOf(const QByteArray &trash, const QByteArray &name)
{
    return TrashEntry{trash + "/files/" + name, trash + "/info/" + name + ".trashinfo"};
}

// The trash folders GIO may put the item in, as it chooses them: the home
// trash for items on the home folder's volume, otherwise the volume's own
// (GIO finds the volume's top with links resolved).
std::vector<QByteArray> trashFolders(const QByteArray &path, const struct stat &st)
{
    // The home folder stays on its volume while the program runs.
    static const std::optional<dev_t> homeDevice = []() -> std::optional<dev_t> {
        struct stat home;
        if (::stat(g_get_home_dir(), &home) != 0)
            return std::nullopt;
        return home.st_dev;
    }();
    if (homeDevice == st.st_dev)
        return {QByteArray(g_get_user_data_dir()) + "/Trash"};
    QByteArray folder = bytepath::parent(path);
    if (char *real = ::realpath(folder.constData(), nullptr)) {
        folder = real;
        std::free(real);
    }
    const QByteArray top = volumeTop(folder, st.st_dev);
    const QByteArray uid = QByteArray::number(::geteuid());
    const QByteArray base = top == "/" ? QByteArray() : top;
    return {base + "/.Trash/" + uid, base + "/.Trash-" + uid};
}

} // namespace

QByteArray trashName(const QByteArray &baseName, int attempt)
{
    if (attempt <= 1)
        return baseName;
    const QByteArray number = QByteArray::number(attempt);
    const qsizetype dot = baseName.indexOf('.');
    if (dot < 0)
        return baseName + '.' + number;
    return baseName.left(dot) + '.' + number + baseName.mid(dot);
}

QByteArray trashInfoFor(const QByteArray &trashFile)
{
    const QByteArray trash = bytepath::parent(bytepath::parent(trashFile));
    return trash + "/info/" + bytepath::fileName(trashFile) + ".trashinfo";
}

std::vector<TrashEntry> nextTrashEntries(const QByteArray &path, const struct stat &st)
{
    const QByteArray name = bytepath::fileName(path);
    std::vector<TrashEntry> entries;
    for (const QByteArray &trash : trashFolders(path, st)) {
        // GIO takes the first name whose .trashinfo it can create.
        for (int attempt = 1; attempt < kMostAttempts; ++attempt) {
            TrashEntry entry = entryOf(trash, trashName(name, attempt));
            if (!exists(entry.info)) {
                entries.push_back(std::move(entry));
                break;
            }
        }
    }
    return entries;
}

std::optional<TrashEntry> placedTrashEntry(const QByteArray &originalPath, const std::vector<TrashEntry> &expected,
                                           const struct stat &before)
{
    // The name was free when read: holding the item, it is the item's.
    for (const TrashEntry &entry : expected) {
        if (holds(entry.file, before))
            return entry;
    }
    // Another program trashed an item of the same name in between, and GIO
    // went on to a later name.
    return findTrashEntry(originalPath, before);
}

std::optional<TrashEntry> findTrashEntry(const QByteArray &originalPath, const struct stat &before)
{
    const QByteArray name = bytepath::fileName(originalPath);
    std::vector<QByteArray> trashes{QByteArray(g_get_user_data_dir()) + "/Trash"};
    for (QByteArray &trash : trashFolders(originalPath, before))
        if (trash != trashes.front())
            trashes.push_back(std::move(trash));
    for (const QByteArray &trash : trashes) {
        // The newest entry of the item is the last of its names that holds it.
        std::optional<TrashEntry> found;
        for (int attempt = 1; attempt < kMostAttempts; ++attempt) {
            TrashEntry entry = entryOf(trash, trashName(name, attempt));
            if (!exists(entry.info))
                break;
            if (holds(entry.file, before))
                found = std::move(entry);
        }
        if (found)
            return found;
    }
    return std::nullopt;
}

QByteArray trashInfoPath(const QByteArray &infoFile)
{
    QFile file(fromNative(infoFile));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    while (!file.atEnd()) {
        const QByteArray line = file.readLine().trimmed();
        if (line.startsWith("Path="))
            return QByteArray::fromPercentEncoding(line.mid(5));
    }
    return {};
}

} // namespace quil
