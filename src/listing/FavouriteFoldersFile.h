#pragma once

#include "platform/FolderPath.h"

#include <QString>
#include <QStringList>

namespace quil {

// The favourite folders kept in quil.fav beside quil.ini: one folder a line,
// in the order they were added, in the system's bytes.
inline constexpr int kKeptFavourites = 100;

// The file's path in a settings folder that ends in "/".
QString favouriteFoldersPath(const FolderPath &settingsFolder);

// The kept folders, at most kKeptFavourites. Damaged lines (no clean
// absolute path) and repeats are skipped; a file that is missing or cannot
// be read gives none. Never raises.
QStringList readFavouriteFolders(const QString &path);

// Writes the folders through a temporary file and a rename. Raises
// QuilError on failure, leaving the previous file whole.
void writeFavouriteFolders(const QString &path, const QStringList &folders);

} // namespace quil
