#pragma once

#include <QString>
#include <QStringList>

namespace quil {

// The parsing name of the computer folder.
inline QString computerFolderPath()
{
    return QStringLiteral("computer:///");
}

// A root for the path box's rules: "/" or the computer folder.
bool isRootPathText(const QString &text);

// The path box's text for a listed folder: the path with a trailing "/",
// except for a root (so /home/ann shows /home/ann/ and / stays /).
QString pathBoxText(const QString &path);

// A path text split at its last "/" (one trailing "/" ignored): the part up
// to and with that "/", and the name after it; both empty without a "/".
struct PathTail
{
    QString parent;
    QString name;
};
PathTail splitLastName(const QString &path);

// A typed path with the home folder for a leading "~": "~" alone and "~/x"
// as every location bar takes them; any other text is returned unchanged.
QString expandHome(const QString &text, const QString &home);

// The history line of path, letter case ignored; -1 when none. O(lines).
int findHistoryLine(const QStringList &lines, const QString &path);

} // namespace quil
