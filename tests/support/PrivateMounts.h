#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QList>

#include <sched.h>
#include <sys/mount.h>

// Gives the test process a mount namespace of its own, before any thread
// starts: the main window's volume monitor then sees neither the tmpfs
// mounts of tests running beside it (which would re-list its folder in the
// middle of a test) nor they its own. The other tests' mounts copied into
// the new namespace are detached at once: their folders are removed later,
// which would end those mounts here too and report a removed volume.
// Where this is refused (no privilege) the process stays in the shared
// namespace; returns whether it moved.
inline bool usePrivateMounts()
{
    if (::unshare(CLONE_NEWNS) != 0)
        return false;
    // Mounts must not propagate between the namespaces in either direction.
    if (::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0)
        return false;
    QFile mountInfo(QStringLiteral("/proc/self/mountinfo"));
    if (!mountInfo.open(QIODevice::ReadOnly))
        return true;
    const QByteArray testTrees = QFile::encodeName(QDir::tempPath()) + "/quil-test-";
    const QByteArray testDisks = "/media/quil-test-";
    QList<QByteArray> foreign;
    for (const QByteArray &line : mountInfo.readAll().split('\n')) {
        // The fifth field is the mount point, with blanks written as \040.
        const QList<QByteArray> fields = line.split(' ');
        if (fields.size() > 4 && (fields.at(4).startsWith(testTrees) || fields.at(4).startsWith(testDisks)))
            foreign.prepend(QByteArray(fields.at(4)).replace("\\040", " ")); // the innermost first
    }
    for (const QByteArray &point : foreign)
        ::umount2(point.constData(), MNT_DETACH);
    return true;
}
