#pragma once

#include "platform/FolderPath.h"

#include <QString>
#include <QStringList>

#include <functional>

namespace quil {

// The path box's history kept between runs in quil.hst beside quil.ini: one
// listed folder a line (a path, or the computer folder's parsing name),
// newest first, in the system's bytes.
inline constexpr int kKeptHistoryLines = 50;

// A line a listing could have made: the computer folder, or an absolute path
// as a listing names it (no empty, "." or ".." items, no trailing "/").
bool isListedFolderLine(const QString &line);

// The folder lines of a settings file kept beside quil.ini, at most limit,
// each one that keeps accepts given the lines taken before it; a file that
// is missing or cannot be read gives none. Never raises.
QStringList readFolderLines(const QString &path, int limit,
                            const std::function<bool(const QStringList &taken, const QString &line)> &keeps);
// Writes the first limit lines through a temporary file and a rename.
// Raises QuilError on failure, leaving the previous file whole.
void writeFolderLines(const QString &path, const QStringList &lines, int limit);

// The file's path in a settings folder that ends in "/".
QString pathHistoryPath(const FolderPath &settingsFolder);

// The kept lines, newest first, at most kKeptHistoryLines. Damaged lines (no
// clean absolute path nor the computer folder) and repeats of an earlier
// line (letter case ignored, as the history compares) are skipped; a file
// that is missing or cannot be read gives none. Never raises.
QStringList readPathHistory(const QString &path);

// Writes the first kKeptHistoryLines lines through a temporary file and a
// rename. Raises QuilError on failure, leaving the previous file whole.
void writePathHistory(const QString &path, const QStringList &lines);

} // namespace quil
