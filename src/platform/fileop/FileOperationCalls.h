#pragma once

#include <QByteArray>
#include <QString>

#include <fcntl.h>
#include <sys/stat.h>

// The system calls the file operation's jobs share, with the loops and
// checks each needs. Paths and names are the system's bytes.
namespace quil::fileop {

enum class Outcome { Done, Skipped, Cancelled };

constexpr int kDirFlags = O_RDONLY | O_DIRECTORY | O_CLOEXEC;

// What a copy may take for granted in a target folder, looked at once a folder.
struct FolderTraits
{
    // Whether a file made there gets the mode it is made with, less the umask
    // (no default ACL decides it): a copy may then be made with its final
    // mode at once.
    bool plainModes = false;
    // Whether its file system shares no blocks between files (ext4): a copy
    // there writes every block, and allocating them in one call first is
    // cheaper than block by block as the data comes. Where blocks can be
    // shared (btrfs, XFS), copy_file_range shares them and an allocation
    // ahead would only waste space.
    bool allocatesAhead = false;

    // Two calls.
    static FolderTraits of(int folder);
};

// A place in the tree: an open folder, a name in it and the full path shown to the user.
struct Place
{
    int folder;
    QByteArray name;
    QByteArray path;
    FolderTraits traits = {}; // of folder, where a copy is made in it
};

// A path the system would read only up to a zero byte names another item,
// and one that is not absolute (a virtual item's name such as
// "computer:///") would be taken from the current folder: both refused.
bool isBadPath(const QByteArray &path);
// Opens a folder by a path of any length. The descriptor, or -1 with errno.
int openFolder(const QByteArray &path);
// A source written with a trailing "/" must be a folder, or a link to one, as
// the system reads such a path: anything else is refused. 0, ENOTDIR or errno.
int checkFolderName(int folder, const QByteArray &name);
// The names in an open folder, without "." and "..". regular, when given,
// receives for each name whether the folder says it is a regular file (a
// file system that does not tell gives false). Returns 0 or errno.
int listFolder(int folderFd, QList<QByteArray> &names, QList<bool> *regular = nullptr);
// rename that never replaces; -1 with errno (EEXIST when the name is taken).
int renameNoReplace(int fromDir, const char *from, int toDir, const char *to);
// The permission bits a copy made by user:group gets.
mode_t copyMode(const struct stat &st, uid_t user, gid_t group);
// The process's umask, read without setting it (which would race with other
// threads making files); 0777 when it cannot be read.
mode_t currentUmask();
bool sameFile(const struct stat &a, const struct stat &b);
// Whether the two names, links followed, lead to one file.
bool resolveToSameFile(int folderA, const QByteArray &nameA, int folderB, const QByteArray &nameB);
// Whether the item still is what was copied (identity, type, size, times).
bool unchangedSince(const struct stat &before, const struct stat &now);
// The bytes a file's copy writes: a sparse file's holes are not written.
qint64 bytesToCopy(const struct stat &st);
QString reasonText(int error);
// The mount an item lies on (two bind mounts of one file system differ), or
// 0 where the system does not tell.
quint64 mountIdOf(int folder, const QByteArray &name);
// "name (n).ext" for files, "name (n)" for folders, shortened before the
// extension (on a character boundary) to fit a name's 255 bytes.
QByteArray collisionName(const QByteArray &name, int n, bool isFolder);

QString sameFileText();
QString changedText();
QString changedWhileCopiedText();

} // namespace quil::fileop
