#pragma once

#include "platform/FolderPath.h"

#include <QString>
#include <QStringList>

namespace quil {

// The folder of the program's executable.
FolderPath programFolder();

// Where quil.ini, quil.ext and fs.ini live: the program folder when it is
// writable and the program is not installed, otherwise
// $XDG_CONFIG_HOME/quil/ (default ~/.config/quil/), created on demand.
FolderPath defaultSettingsFolder();

// A path names an existing folder (links to folders count).
bool directoryExists(const QString &path);
// A path names an existing file that is not a folder.
bool fileExists(const QString &path);

// Reads a settings file: UTF-8 lines ended by CR LF or LF alone. Raises
// QuilError with the system's input/output error text when it exists but
// cannot be read.
QStringList readSettingsLines(const QString &path);

// Writes the lines, each ended by CR LF, to a temporary file beside the
// target and renames it over the target, so a failed write leaves the
// previous file whole. Raises QuilError on failure.
void writeSettingsLines(const QString &path, const QStringList &lines);

} // namespace quil
