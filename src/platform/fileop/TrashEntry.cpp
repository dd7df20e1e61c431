#include "platform/fileop/TrashEntry.h"

#include "platform/BytePath.h"
#include "platform/NativePath.h"

#include <QFile>

#include <dirent.h>
#include <gio/gio.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quil {

namespace {

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

std::optional<TrashEntry> findIn(const QByteArray &trash, const struct stat &before)
{
    const QByteArray files = trash + "/files";
    DIR *dir = ::opendir(files.constData());
    if (!dir)
        return std::nullopt;
    std::optional<TrashEntry> found;
    while (const dirent *entry = ::readdir(dir)) {
        if (entry->d_ino != before.st_ino)
            continue;
        const QByteArray name(entry->d_name);
        const QByteArray file = files + '/' + name;
        struct stat st;
        if (::lstat(file.constData(), &st) == 0 && st.st_dev == before.st_dev && st.st_ino == before.st_ino) {
            found = TrashEntry{file, trash + "/info/" + name + ".trashinfo"};
            break;
        }
    }
    ::closedir(dir);
    return found;
}

} // namespace

std::optional<TrashEntry> findTrashEntry(const QByteArray &originalPath, const struct stat &before)
{
    std::vector<QByteArray> trashes;
    // GIO's own notion of the data folder, so both name the same trash.
    trashes.push_back(QByteArray(g_get_user_data_dir()) + "/Trash");
    const QByteArray top = volumeTop(bytepath::parent(originalPath), before.st_dev);
    const QByteArray uid = QByteArray::number(::getuid());
    const QByteArray base = top == "/" ? QByteArray() : top;
    trashes.push_back(base + "/.Trash/" + uid);
    trashes.push_back(base + "/.Trash-" + uid);
    for (const QByteArray &trash : trashes) {
        if (std::optional<TrashEntry> entry = findIn(trash, before))
            return entry;
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
