#pragma once

#include <QString>
#include <QStringList>

namespace quil {

// What the command line asks the program to list at start: a folder, or a
// file's folder with the file's row selected. An argument that names neither
// leaves `folder` empty and says why in `message`.
struct StartTarget
{
    QString folder;
    QString entry;
    QString message;
};

// The arguments after the program's name exactly as the system passed them:
// names that are not UTF-8 keep their bytes (NativePath's text), where
// QCoreApplication::arguments() would turn them into replacement characters.
QStringList nativeArguments(int argc, const char *const *argv);

// The arguments after the program's name, as the desktop entry's %U or a
// shell passes them (as nativeArguments gives them): paths (relative to the
// current folder) or file URIs, whose escapes stand for the name's bytes
// ("%FF"). Only the first is listed.
StartTarget startTarget(const QStringList &arguments);

} // namespace quil
