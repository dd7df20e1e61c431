#include "listing/FavouriteFoldersFile.h"

#include "listing/PathHistoryFile.h"
#include "platform/NativePath.h"
#include "platform/OsError.h"
#include "platform/SettingsByteLines.h"
#include "platform/SettingsFiles.h"

namespace quil {

QString favouriteFoldersPath(const FolderPath &settingsFolder)
{
    return settingsFolder.filePath(u"quil.fav");
}

QStringList readFavouriteFolders(const QString &path)
{
    if (!fileExists(path))
        return {};
    QList<QByteArray> read;
    try {
        read = readSettingsByteLines(path);
    } catch (const QuilError &) {
        return {};
    }
    QStringList folders;
    for (const QByteArray &bytes : read) {
        const QString line = fromNative(bytes);
        if (line.startsWith(QLatin1Char('/')) && isListedFolderLine(line) && !folders.contains(line))
            folders.append(line);
        if (folders.size() == kKeptFavourites)
            break;
    }
    return folders;
}

void writeFavouriteFolders(const QString &path, const QStringList &folders)
{
    QList<QByteArray> bytes;
    for (const QString &folder : folders.mid(0, kKeptFavourites))
        bytes.append(toNative(folder));
    writeSettingsByteLines(path, bytes);
}

} // namespace quil
