#pragma once

#include "platform/NativePath.h"
#include "support/TempTree.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <sys/stat.h>

// Byte-level helpers for the file operation tests: names may be invalid UTF-8,
// so everything here takes and gives the system's bytes.
namespace filecheck {

constexpr qint64 MiB = 1024 * 1024;

// Distinct content of the given size; seed tells files apart.
QByteArray pattern(qint64 size, int seed);
void write(const QByteArray &path, const QByteArray &content);
// The whole content; an empty array with ok false when it cannot be read.
QByteArray read(const QByteArray &path, bool *ok = nullptr);
bool exists(const QByteArray &path);
struct stat lstatOf(const QByteArray &path);
// The names in a folder, sorted.
QList<QByteArray> names(const QByteArray &folder);
// Every entry below root as "relative-path type size content-hash", sorted:
// equal snapshots mean nothing changed.
QList<QByteArray> snapshot(const QByteArray &root);
// The paths below root of temporary files left by the operation.
QList<QByteArray> temporaries(const QByteArray &root);
// Removes everything below root, names of any bytes included (QTemporaryDir
// cannot remove names that are not valid UTF-8).
void removeContents(const QByteArray &root);

// Calls removeContents on the root when the test ends; declare it right after
// the test's TempTree.
struct ContentsRemover
{
    QByteArray root;
    ~ContentsRemover() { removeContents(root); }
};
// The paths below root of regular files of size 0.
QList<QByteArray> emptyFiles(const QByteArray &root);

// The system's bytes of a path as the file operation takes it.
inline QString q(const QByteArray &path)
{
    return quil::fromNative(path);
}
inline QStringList qs(const QList<QByteArray> &paths)
{
    QStringList result;
    for (const QByteArray &p : paths)
        result.append(q(p));
    return result;
}
// A fresh folder below the tree's root.
inline QByteArray folder(TempTree &tree, const QByteArray &relative)
{
    return tree.folder(relative).toUtf8();
}

} // namespace filecheck
