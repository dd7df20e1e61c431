#include "listing/FavouriteFoldersFile.h"

#include "listing/PathHistoryFile.h"

namespace quil {

QString favouriteFoldersPath(const FolderPath &settingsFolder)
{
    return settingsFolder.filePath(u"quil.fav");
}

QStringList readFavouriteFolders(const QString &path)
{
    return readFolderLines(path, kKeptFavourites, [](const QStringList &taken, const QString &line) {
        return line.startsWith(QLatin1Char('/')) && isListedFolderLine(line) && !taken.contains(line);
    });
}

void writeFavouriteFolders(const QString &path, const QStringList &folders)
{
    writeFolderLines(path, folders, kKeptFavourites);
}

} // namespace quil
