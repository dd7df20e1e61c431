#pragma once

#include <QIcon>
#include <QList>
#include <QString>

namespace quil {

// An application GIO knows for a file's type.
struct OpenWithApplication
{
    QString id;   // the desktop id, for Launcher::openWith
    QString name; // the name to show
    QIcon icon;   // from the icon theme; null when it names none
};

// The applications registered for the type of a file or folder (its content
// type as GIO reads it: folders are inode/directory), the default first.
// Empty for a missing item. Reads the desktop entries once per process.
QList<OpenWithApplication> applicationsFor(const QString &path);

// The "Открыть с помощью" choice for a file: applicationsFor(path), then
// every other installed application by name, as other file managers offer
// them. Reads the desktop entries once per process.
QList<OpenWithApplication> applicationsToOffer(const QString &path);

} // namespace quil
