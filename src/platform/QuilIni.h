#pragma once

#include "platform/FolderPath.h"

#include <QString>

namespace quil {

// The four lines of quil.ini, by position.
struct QuilIniLines
{
    QString textViewer;    // 1: Edit1 of the settings window
    QString pictureViewer; // 2: Edit2
    QString editor;        // 3: Edit4
    QString lastFolder;    // 4: the path box's text at close
};

// The file's path in a settings folder that ends in "/".
QString quilIniPath(const FolderPath &settingsFolder);

// Reads quil.ini; lines that are missing read as empty. False when the file
// does not exist. Raises QuilError when it exists but cannot be read.
bool readQuilIni(const QString &path, QuilIniLines &lines);

// Writes the four lines (CR LF) through a temporary file and a rename.
// Raises QuilError on failure, leaving the previous file whole.
void writeQuilIni(const QString &path, const QuilIniLines &lines);

} // namespace quil
