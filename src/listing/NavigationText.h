#pragma once

#include <QCoreApplication>
#include <QString>

namespace quil {

// The name going up one level remembers, so that the folder left is selected
// in its parent: a root ("/", the computer folder) is taken whole; otherwise
// one trailing "/" is dropped and the part after the last "/" taken. Empty
// when no "/" remains (an empty or relative text).
QString folderLeftByUp(const QString &pathBoxText);

// The message shown before a history line is listed.
inline QString historyPickedMessage(const QString &line)
{
    return QCoreApplication::translate("NavigationText", "Выбран: ") + line;
}

// The message shown when the path box's folder cannot be made the current
// folder for starting a file.
inline QString folderNotFoundMessage(const QString &pathBoxText)
{
    return pathBoxText + QCoreApplication::translate("NavigationText", "не найдена - ");
}

} // namespace quil
