#pragma once

#include "platform/FolderPath.h"

#include <QString>

namespace quil {

// The main list's view choices kept between runs in quil.opt beside
// quil.ini, one "name=value" a line.
struct ListOptions
{
    // Ctrl+H: entries whose names begin with "." are listed.
    bool hiddenShown = true;
};

// The file's path in a settings folder that ends in "/".
QString listOptionsPath(const FolderPath &settingsFolder);

// Reads the file; a missing or unreadable file, a damaged line or an unknown
// name leaves the defaults. Never raises.
ListOptions readListOptions(const QString &path);

// Writes the file through a temporary file and a rename. Raises QuilError on
// failure, leaving the previous file whole.
void writeListOptions(const QString &path, const ListOptions &options);

} // namespace quil
