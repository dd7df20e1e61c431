#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

// A real temporary folder tree for a test, removed with the object.
// Paths given are relative to the root; returned paths are absolute.
// Names may hold bytes that are not valid UTF-8 (pass them as QByteArray).
class TempTree
{
public:
    TempTree();
    ~TempTree();

    // The root, without a trailing "/".
    QString root() const;
    QByteArray rootBytes() const;

    QString file(const QByteArray &relative, const QByteArray &content = {});
    QString folder(const QByteArray &relative);
    QString symlink(const QByteArray &target, const QByteArray &relative);
    QString fifo(const QByteArray &relative);
    // A file of the given size whose content is a hole (takes no disk space).
    QString sparseFile(const QByteArray &relative, qint64 size);
    // A gzipped tar of what the folder holds (tar run here); its path.
    QString tarGz(const QByteArray &archive, const QByteArray &folder);
    QString path(const QByteArray &relative) const;

private:
    QTemporaryDir m_dir;
};

// A small tmpfs mounted for the life of the object, for cross-volume and
// full-disk cases. mounted() is false where the machine refuses to mount.
class TmpfsMount
{
public:
    explicit TmpfsMount(const QString &mountPoint, qint64 sizeBytes = 4 * 1024 * 1024);
    ~TmpfsMount();
    TmpfsMount(const TmpfsMount &) = delete;
    TmpfsMount &operator=(const TmpfsMount &) = delete;

    bool mounted() const { return m_mounted; }
    QString path() const { return m_mountPoint; }
    // Unmounts now (lazily, so a busy mount does not stay behind).
    void unmount();

private:
    QString m_mountPoint;
    bool m_mounted = false;
};

// A small ext2 image loop-mounted on a fresh folder below /media, as a user's
// USB stick is: a disk of the computer folder. mounted() is false where the
// machine refuses (no loop devices, no mkfs.ext2, no privilege, no /media).
// Given a file system, a size and an existing empty folder, that file system
// is mounted there instead, out of the computer folder's sight.
class LoopDisk
{
public:
    LoopDisk();
    LoopDisk(const QString &fileSystem, qint64 sizeBytes, const QString &mountPoint);
    ~LoopDisk();
    LoopDisk(const LoopDisk &) = delete;
    LoopDisk &operator=(const LoopDisk &) = delete;

    bool mounted() const { return m_mounted; }
    QString path() const { return m_mountPoint; }
    // Unmounts now (lazily, so a busy mount does not stay behind) and
    // removes the mount point.
    void unmount();

private:
    TempTree m_image;
    QString m_mountPoint;
    bool m_ownsMountPoint = false;
    bool m_mounted = false;
};
