#pragma once

#include <QByteArray>
#include <QByteArrayView>

// Path arithmetic on the system's own bytes, without touching the disk.
namespace quil::bytepath {

// Removes trailing "/" but never reduces "/" itself.
QByteArray stripTrailingSlashes(QByteArrayView path);
// The last name of a path: "/a/b" gives "b", "/" gives "".
QByteArray fileName(QByteArrayView path);
// The folder holding the last name: "/a/b" gives "/a", "/a" gives "/", "b" gives ".".
QByteArray parent(QByteArrayView path);
// folder + "/" + name, without doubling a "/" already there.
QByteArray join(QByteArrayView folder, QByteArrayView name);
// Whether path is folder or lies below it, whole names only ("/a/bc" is not below "/a/b").
bool isAtOrBelow(QByteArrayView path, QByteArrayView folder);
// Empty, ".", "..", or holding "/" or a zero byte: not one name of a folder.
bool isBadName(QByteArrayView name);

} // namespace quil::bytepath
