#include "platform/fileop/FileOperation.h"

#include "platform/Dialogs.h"
#include "platform/NativePath.h"
#include "platform/UniqueFd.h"
#include "platform/fileop/GioTrash.h"

#include <QMutex>
#include <QRandomGenerator>

#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>
#include <utility>
#include <vector>

namespace quil {

namespace {

using Fd = UniqueFd;

enum class Outcome { Done, Skipped, Cancelled };

constexpr int kDirFlags = O_RDONLY | O_DIRECTORY | O_CLOEXEC;

// Makes an item under a fresh temporary name ".quil-*.part": create(name)
// makes it exclusively and answers whether it did (errno set when not).
// Returns 0 or an errno.
template <typename Create> int underTemporaryName(QByteArray &temp, Create create)
{
    for (int tries = 0; tries < 100; ++tries) {
        temp = ".quil-" + QByteArray::number(QRandomGenerator::global()->generate64(), 36) + ".part";
        if (create(temp.constData()))
            return 0;
        if (errno != EEXIST)
            return errno;
    }
    return EEXIST;
}
constexpr qint64 kRangeChunk = 16 * 1024 * 1024;
constexpr size_t kBufferSize = 1024 * 1024;

QByteArray stripSlashes(QByteArray path)
{
    while (path.size() > 1 && path.endsWith('/'))
        path.chop(1);
    return path;
}

QByteArray baseName(const QByteArray &path)
{
    const qsizetype slash = path.lastIndexOf('/');
    return slash < 0 ? path : path.mid(slash + 1);
}

QByteArray dirName(const QByteArray &path)
{
    const qsizetype slash = path.lastIndexOf('/');
    if (slash < 0)
        return QByteArrayLiteral(".");
    if (slash == 0)
        return QByteArrayLiteral("/");
    return path.left(slash);
}

QByteArray joinPath(const QByteArray &folder, const QByteArray &name)
{
    return folder.endsWith('/') ? folder + name : folder + '/' + name;
}

bool isBadName(const QByteArray &name)
{
    return name.isEmpty() || name == "." || name == ".." || name.contains('/') || name.contains('\0');
}

// A path the system would read only up to a zero byte names another item: refused.
bool isBadPath(const QByteArray &path)
{
    return path.contains('\0') || isBadName(baseName(path));
}

// Opens a folder by a path of any length; a path longer than the kernel
// accepts is opened piece by piece. Returns the descriptor or -1 with errno.
int openFolder(const QByteArray &path)
{
    if (path.size() < PATH_MAX)
        return ::open(path.constData(), kDirFlags);
    Fd at(::open(path.startsWith('/') ? "/" : ".", kDirFlags));
    if (!at.valid())
        return -1;
    QByteArray piece;
    const auto step = [&]() -> bool {
        Fd next(::openat(at.get(), piece.constData(), kDirFlags));
        if (!next.valid())
            return false;
        at = std::move(next);
        piece.clear();
        return true;
    };
    for (const QByteArray &part : path.split('/')) {
        if (part.isEmpty())
            continue;
        if (!piece.isEmpty() && piece.size() + part.size() + 1 >= PATH_MAX / 2 && !step())
            return -1;
        piece = piece.isEmpty() ? part : piece + '/' + part;
    }
    if (!piece.isEmpty() && !step())
        return -1;
    return at.release();
}

// The names in an open folder, without "." and "..". Returns 0 or errno.
int listFolder(int folderFd, QList<QByteArray> &names)
{
    const int fd = ::openat(folderFd, ".", kDirFlags);
    if (fd < 0)
        return errno;
    DIR *dir = ::fdopendir(fd);
    if (!dir) {
        const int error = errno;
        ::close(fd);
        return error;
    }
    errno = 0;
    while (dirent *entry = ::readdir(dir)) {
        const QByteArray name(entry->d_name);
        if (name != "." && name != "..")
            names.append(name);
        errno = 0;
    }
    const int error = errno;
    ::closedir(dir);
    return error;
}

// rename that never replaces; falls back to link + unlink where the file
// system lacks RENAME_NOREPLACE.
int renameNoReplace(int fromDir, const char *from, int toDir, const char *to)
{
    if (::renameat2(fromDir, from, toDir, to, RENAME_NOREPLACE) == 0)
        return 0;
    if (errno != EINVAL && errno != ENOSYS)
        return -1;
    if (::linkat(fromDir, from, toDir, to, 0) == 0) {
        ::unlinkat(fromDir, from, 0);
        return 0;
    }
    if (errno == EEXIST)
        return -1;
    struct stat st;
    if (::fstatat(toDir, to, &st, AT_SYMLINK_NOFOLLOW) == 0) {
        errno = EEXIST;
        return -1;
    }
    return ::renameat(fromDir, from, toDir, to);
}

// The permission bits a copy gets. The copy belongs to whoever runs the
// operation, so set-user-ID and set-group-ID bits go unless that owner is
// the original's: else a copy made by root of another user's set-user-ID
// program would run as root.
mode_t copyMode(const struct stat &st, uid_t user, gid_t group)
{
    mode_t mode = st.st_mode & 07777;
    if (!S_ISDIR(st.st_mode)) {
        if (st.st_uid != user)
            mode &= ~mode_t(S_ISUID);
        if (st.st_gid != group)
            mode &= ~mode_t(S_ISGID);
    }
    return mode;
}

bool sameFile(const struct stat &a, const struct stat &b)
{
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

// Whether the two names, links followed, lead to one file: replacing one by
// the other would destroy it (a link copied over its own target).
bool resolveToSameFile(int folderA, const QByteArray &nameA, int folderB, const QByteArray &nameB)
{
    struct stat a, b;
    return ::fstatat(folderA, nameA.constData(), &a, 0) == 0 && ::fstatat(folderB, nameB.constData(), &b, 0) == 0 &&
           sameFile(a, b);
}

const QString kSameFileText = QStringLiteral("Источник и цель являются одним и тем же файлом.");
const QString kChangedText = QStringLiteral("Исходный файл изменился во время копирования; он оставлен на месте.");

// Whether the item still is what was copied: a source replaced or written
// while its copy ran must not be deleted by a move.
bool unchangedSince(const struct stat &before, const struct stat &now)
{
    const auto same = [](const timespec &a, const timespec &b) {
        return a.tv_sec == b.tv_sec && a.tv_nsec == b.tv_nsec;
    };
    return sameFile(before, now) && (before.st_mode & S_IFMT) == (now.st_mode & S_IFMT) &&
           before.st_size == now.st_size && same(before.st_mtim, now.st_mtim) && same(before.st_ctim, now.st_ctim);
}

QString reasonText(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

} // namespace

// A place in the tree: an open folder, a name in it and the full path shown to the user.
struct Place
{
    int folder;
    QByteArray name;
    QByteArray path;
};

struct FileOperation::Private
{
    Private(Dialogs &dialogs, QStringList sources, QString target, int operation, int flags)
        : dialogs(dialogs), sources(std::move(sources)), target(std::move(target)), operation(operation), flags(flags)
    {}

    enum class Choice { Retry, Skip, Cancel };

    Dialogs &dialogs;
    const QStringList sources;
    const QString target;
    const int operation;
    const int flags;

    std::atomic<bool> cancelled{false};
    std::atomic<qint64> bytesDone{0};
    std::atomic<qint64> bytesTotal{0};
    std::atomic<int> itemsDone{0};
    std::atomic<int> itemsTotal{0};
    std::atomic<qint64> cancelAfter{-1};
    std::atomic<int> error{0};
    mutable QMutex mutex;
    QString current;
    std::function<void(const QString &)> beforeItem;
    std::function<void(qint64)> afterBytes;

    // Worker thread only.
    bool failed = false;
    bool replaceAll = false;
    bool counted = true; // the current source was walked for the totals
    // Unnamed files (O_TMPFILE) are linked in through /proc/self/fd.
    const bool unnamedFiles = ::access("/proc/self/fd", X_OK) == 0;
    // Linking by descriptor alone needs a capability most users lack; then /proc.
    bool linkByDescriptor = true;
    const uid_t user = ::geteuid();
    const gid_t group = ::getegid();
    std::vector<char> buffer;

    void noteError(int code)
    {
        failed = true;
        int none = 0;
        error.compare_exchange_strong(none, code);
    }

    void stop()
    {
        noteError(ECANCELED);
        cancelled = true;
    }

    void addBytes(qint64 n)
    {
        const qint64 done = bytesDone += n;
        if (afterBytes)
            afterBytes(done);
        const qint64 limit = cancelAfter;
        if (limit >= 0 && done >= limit)
            stop();
    }

    void itemDone(int depth)
    {
        if (counted || depth == 0)
            ++itemsDone;
    }

    void enter(const QByteArray &path)
    {
        {
            QMutexLocker lock(&mutex);
            current = fromNative(path);
        }
        if (beforeItem)
            beforeItem(current);
    }

    Choice ask(const QByteArray &path, const QString &reason, int code)
    {
        if (cancelled)
            return Choice::Cancel;
        switch (dialogs.askItemError(fromNative(path), reason)) {
        case Dialogs::ErrorAnswer::Retry:
            return Choice::Retry;
        case Dialogs::ErrorAnswer::Skip:
            noteError(code);
            return Choice::Skip;
        case Dialogs::ErrorAnswer::Cancel:
            break;
        }
        noteError(code);
        stop();
        return Choice::Cancel;
    }

    Choice ask(const QByteArray &path, int code) { return ask(path, reasonText(code), code); }

    static Outcome outcomeOf(Choice choice) { return choice == Choice::Skip ? Outcome::Skipped : Outcome::Cancelled; }

    // Runs step (0 or an errno) until it succeeds or the user gives the item up.
    template <typename Step> Outcome attempt(const QByteArray &path, Step step)
    {
        for (;;) {
            if (cancelled)
                return Outcome::Cancelled;
            const int code = step();
            if (code == 0)
                return Outcome::Done;
            const Choice choice = ask(path, code);
            if (choice != Choice::Retry)
                return outcomeOf(choice);
        }
    }

    bool run();
    bool runTransfer(bool move);
    bool runDelete();
    bool runTrash();
    bool runRename();

    void scan(int folder, const QByteArray &name, bool countBytes = true);
    bool isInside(int folder, const struct stat &item);
    int freeName(Place &place, bool isFolder);
    Outcome enterItem(const Place &place, struct stat &st);
    Outcome transfer(const Place &src, Place dst, bool move, bool freshParent, int depth);
    Outcome transferFolder(const Place &src, const Place &dst, const struct stat &st, bool move, bool merge, int depth);
    Outcome transferLeaf(const Place &src, Place &dst, const struct stat &st, bool move, bool replace, int depth);
    Outcome commit(const QByteArray &temp, Place &dst, bool replace);
    Outcome checkUnchanged(const Place &src, const struct stat &before, const struct stat &copied);
    int createTemp(int folder, QByteArray &temp, Fd &out);
    int copyData(int in, int out, const struct stat &st, qint64 &copied);
    int copyRange(int in, int out, off_t *offset, qint64 length, bool &range, qint64 &copied);
    Outcome removeItem(const Place &place, int depth);
};

bool FileOperation::Private::run()
{
    if (sources.isEmpty()) {
        noteError(EINVAL);
        return false;
    }
    bool ok = false;
    switch (operation) {
    case FO_COPY:
        ok = runTransfer(false);
        break;
    case FO_MOVE:
        ok = runTransfer(true);
        break;
    case FO_DELETE:
        ok = (flags & FOF_ALLOWUNDO) ? runTrash() : runDelete();
        break;
    case FO_RENAME:
        ok = runRename();
        break;
    default:
        noteError(EINVAL);
        return false;
    }
    return ok && !failed && !cancelled;
}

void FileOperation::Private::scan(int folder, const QByteArray &name, bool countBytes)
{
    if (cancelled)
        return;
    ++itemsTotal;
    struct stat st;
    if (::fstatat(folder, name.constData(), &st, AT_SYMLINK_NOFOLLOW) != 0)
        return;
    if (countBytes && S_ISREG(st.st_mode))
        bytesTotal += st.st_size;
    if (!S_ISDIR(st.st_mode))
        return;
    Fd inner(::openat(folder, name.constData(), kDirFlags | O_NOFOLLOW));
    QList<QByteArray> names;
    if (!inner.valid() || listFolder(inner.get(), names) != 0)
        return;
    for (const QByteArray &child : names)
        scan(inner.get(), child, countBytes);
}

// Whether the folder is the item or lies inside it: walks ".." up to the root.
bool FileOperation::Private::isInside(int folder, const struct stat &item)
{
    Fd at(::openat(folder, ".", kDirFlags));
    struct stat here;
    if (!at.valid() || ::fstat(at.get(), &here) != 0)
        return false;
    for (int depth = 0; depth < 100000; ++depth) {
        if (sameFile(here, item))
            return true;
        Fd up(::openat(at.get(), "..", kDirFlags));
        struct stat parent;
        if (!up.valid() || ::fstat(up.get(), &parent) != 0 || sameFile(parent, here))
            return false;
        at = std::move(up);
        here = parent;
    }
    return false;
}

// Gives the place the first "name (n)" that does not exist yet. 0 or errno.
int FileOperation::Private::freeName(Place &place, bool isFolder)
{
    const QByteArray original = place.name;
    const QByteArray folderPath = dirName(place.path);
    for (int n = 2; n < 100000; ++n) {
        const QByteArray candidate = collisionName(original, n, isFolder);
        struct stat st;
        if (::fstatat(place.folder, candidate.constData(), &st, AT_SYMLINK_NOFOLLOW) != 0) {
            if (errno != ENOENT)
                return errno;
            place.name = candidate;
            place.path = joinPath(folderPath, candidate);
            return 0;
        }
    }
    return EEXIST;
}

bool FileOperation::Private::runTransfer(bool move)
{
    const QByteArray targetPath = stripSlashes(toNative(target));
    // A target written with a trailing "/" is a folder, never a new file name.
    const bool folderTarget = toNative(target).endsWith('/');
    if (targetPath.isEmpty()) {
        noteError(EINVAL);
        return false;
    }
    // The target is a folder to put the sources into, or with one source the
    // new path of that source.
    Fd destination;
    QByteArray destinationPath = targetPath;
    QByteArray newName;
    Outcome opened = attempt(targetPath, [&]() -> int {
        if (targetPath.contains('\0'))
            return EINVAL;
        destination = Fd(openFolder(targetPath));
        if (destination.valid())
            return 0;
        const int code = errno;
        if ((code == ENOENT || code == ENOTDIR) && sources.size() == 1 && !folderTarget) {
            destinationPath = dirName(targetPath);
            newName = baseName(targetPath);
            if (isBadName(newName))
                return EINVAL;
            destination = Fd(openFolder(destinationPath));
            return destination.valid() ? 0 : errno;
        }
        if (code == ENOENT) {
            // Several sources into a folder that is not there yet: it is created (one level).
            Fd parent(openFolder(dirName(targetPath)));
            if (!parent.valid())
                return errno;
            if (::mkdirat(parent.get(), baseName(targetPath).constData(), 0777) != 0 && errno != EEXIST)
                return errno;
            destination = Fd(openFolder(targetPath));
            return destination.valid() ? 0 : errno;
        }
        return code;
    });
    if (opened != Outcome::Done)
        return false;
    struct stat destinationStat;
    if (::fstat(destination.get(), &destinationStat) != 0) {
        noteError(errno);
        return false;
    }

    struct Source
    {
        QByteArray path;
        QByteArray name;
        Fd parent;
        bool counted = true;
    };
    std::vector<Source> items;
    for (const QString &source : sources) {
        Source item;
        item.path = stripSlashes(toNative(source));
        item.name = baseName(item.path);
        item.parent = Fd(openFolder(dirName(item.path)));
        struct stat st;
        if (item.parent.valid() && !isBadPath(item.path) &&
            ::fstatat(item.parent.get(), item.name.constData(), &st, AT_SYMLINK_NOFOLLOW) == 0) {
            // A folder into itself (or a folder inside it) is refused before anything changes.
            if (S_ISDIR(st.st_mode) && isInside(destination.get(), st)) {
                const QString name = fromNative(item.name);
                dialogs.message(move ? QStringLiteral("Невозможно переместить \"%1\": конечная папка является "
                                                      "вложенной папкой исходной папки.")
                                           .arg(name)
                                     : QStringLiteral("Невозможно скопировать \"%1\": конечная папка является "
                                                      "вложенной папкой исходной папки.")
                                           .arg(name),
                                move ? QStringLiteral("Ошибка при перемещении")
                                     : QStringLiteral("Ошибка при копировании"),
                                Dialogs::Icon::Error);
                noteError(EINVAL);
                return false;
            }
            // A move inside one file system renames and needs no walk.
            item.counted = !move || st.st_dev != destinationStat.st_dev;
        }
        items.push_back(std::move(item));
    }
    // The totals are counted on a thread of their own while the copy runs.
    std::vector<std::pair<Fd, QByteArray>> toCount;
    for (const Source &item : items) {
        if (item.counted && item.parent.valid() && !isBadPath(item.path))
            toCount.emplace_back(Fd(::fcntl(item.parent.get(), F_DUPFD_CLOEXEC, 0)), item.name);
        else
            ++itemsTotal;
    }
    std::thread counter([this, toCount = std::move(toCount)] {
        for (const auto &[parent, name] : toCount)
            if (parent.valid())
                scan(parent.get(), name);
            else
                ++itemsTotal;
    });
    const struct Join
    {
        std::thread &thread;
        ~Join() { thread.join(); }
    } join{counter};

    for (Source &item : items) {
        if (cancelled)
            break;
        if (isBadPath(item.path)) {
            enter(item.path);
            if (ask(item.path, EINVAL) == Choice::Cancel)
                break;
            continue;
        }
        if (attempt(item.path, [&] {
                if (!item.parent.valid())
                    item.parent = Fd(openFolder(dirName(item.path)));
                return item.parent.valid() ? 0 : errno;
            }) != Outcome::Done) {
            if (cancelled)
                break;
            continue;
        }
        counted = item.counted;
        const QByteArray name = newName.isEmpty() ? item.name : newName;
        const Place src{item.parent.get(), item.name, item.path};
        const Place dst{destination.get(), name, joinPath(destinationPath, name)};
        if (transfer(src, dst, move, false, 0) == Outcome::Cancelled)
            break;
    }
    return true;
}

// Makes the item the current one of the progress and reads its own data
// (a link's, not its target's), asking on failure.
Outcome FileOperation::Private::enterItem(const Place &place, struct stat &st)
{
    enter(place.path);
    return attempt(place.path, [&] {
        return ::fstatat(place.folder, place.name.constData(), &st, AT_SYMLINK_NOFOLLOW) == 0 ? 0 : errno;
    });
}

Outcome FileOperation::Private::transfer(const Place &src, Place dst, bool move, bool freshParent, int depth)
{
    if (cancelled)
        return Outcome::Cancelled;
    struct stat st;
    Outcome outcome = enterItem(src, st);
    if (outcome != Outcome::Done)
        return outcome;
    const bool isFolder = S_ISDIR(st.st_mode);

    for (;;) {
        bool replace = false;
        bool merge = false;
        struct stat existing;
        if (!freshParent && ::fstatat(dst.folder, dst.name.constData(), &existing, AT_SYMLINK_NOFOLLOW) == 0) {
            if (sameFile(existing, st)) {
                struct stat srcFolder, dstFolder;
                const bool sameEntry = ::fstat(src.folder, &srcFolder) == 0 && ::fstat(dst.folder, &dstFolder) == 0 &&
                                       sameFile(srcFolder, dstFolder) && src.name == dst.name;
                if (!sameEntry || move) {
                    // Already there: the same entry, or another hard link of the
                    // same file, whose content the target keeps.
                    if (move && !sameEntry && !isFolder)
                        return attempt(
                            src.path, [&] { return ::unlinkat(src.folder, src.name.constData(), 0) == 0 ? 0 : errno; });
                    itemDone(depth);
                    return Outcome::Done;
                }
                // A copy into its own folder gets a name of its own.
                const int code = freeName(dst, isFolder);
                if (code != 0) {
                    const Choice choice = ask(dst.path, code);
                    if (choice == Choice::Retry)
                        continue;
                    return outcomeOf(choice);
                }
            } else if (resolveToSameFile(src.folder, src.name, dst.folder, dst.name)) {
                // A link and the file it leads to: refused, as cp and mv do.
                const Choice choice = ask(dst.path, kSameFileText, EINVAL);
                if (choice == Choice::Retry)
                    continue;
                return outcomeOf(choice);
            } else if (flags & FOF_RENAMEONCOLLISION) {
                const int code = freeName(dst, isFolder);
                if (code != 0) {
                    const Choice choice = ask(dst.path, code);
                    if (choice == Choice::Retry)
                        continue;
                    return outcomeOf(choice);
                }
            } else if (isFolder && S_ISDIR(existing.st_mode)) {
                merge = true; // folders are merged; the files in them are asked about one by one
            } else {
                if (!replaceAll) {
                    switch (dialogs.askTargetExists(fromNative(src.path), fromNative(dst.path))) {
                    case Dialogs::TargetExistsAnswer::Replace:
                        break;
                    case Dialogs::TargetExistsAnswer::ReplaceAll:
                        replaceAll = true;
                        break;
                    case Dialogs::TargetExistsAnswer::Skip:
                        noteError(EEXIST);
                        return Outcome::Skipped;
                    case Dialogs::TargetExistsAnswer::Cancel:
                        stop();
                        return Outcome::Cancelled;
                    }
                }
                if (isFolder != S_ISDIR(existing.st_mode)) {
                    // Replacing a folder by a file, or a file by a folder, would
                    // destroy what the replaced one holds: refused.
                    const Choice choice = ask(dst.path, isFolder ? ENOTDIR : EISDIR);
                    if (choice == Choice::Retry)
                        continue;
                    return outcomeOf(choice);
                }
                replace = true;
            }
        }

        if (move && !merge) {
            const int moved = replace
                                  ? ::renameat(src.folder, src.name.constData(), dst.folder, dst.name.constData())
                                  : renameNoReplace(src.folder, src.name.constData(), dst.folder, dst.name.constData());
            if (moved == 0) {
                itemDone(depth);
                return Outcome::Done;
            }
            const int code = errno;
            if (code == EEXIST) {
                freshParent = false; // appeared meanwhile: ask again
                continue;
            }
            if (code != EXDEV) {
                const Choice choice = ask(src.path, code);
                if (choice == Choice::Retry)
                    continue;
                return outcomeOf(choice);
            }
            // Another file system: copy, then delete the source.
        }
        if (isFolder)
            return transferFolder(src, dst, st, move, merge, depth);
        return transferLeaf(src, dst, st, move, replace, depth);
    }
}

Outcome FileOperation::Private::transferFolder(const Place &src, const Place &dst, const struct stat &st, bool move,
                                               bool merge, int depth)
{
    bool created = false;
    if (!merge) {
        const Outcome made = attempt(dst.path, [&] {
            if (::mkdirat(dst.folder, dst.name.constData(), 0700) == 0) {
                created = true;
                return 0;
            }
            struct stat existing;
            if (errno == EEXIST && ::fstatat(dst.folder, dst.name.constData(), &existing, 0) == 0 &&
                S_ISDIR(existing.st_mode))
                return 0; // appeared meanwhile: merged
            return errno;
        });
        if (made != Outcome::Done)
            return made;
    }
    Fd in, out;
    QList<QByteArray> names;
    Outcome result = attempt(src.path, [&] {
        in = Fd(::openat(src.folder, src.name.constData(), kDirFlags | O_NOFOLLOW));
        if (!in.valid())
            return errno;
        names.clear();
        return listFolder(in.get(), names);
    });
    if (result == Outcome::Done)
        result = attempt(dst.path, [&] {
            out = Fd(::openat(dst.folder, dst.name.constData(), kDirFlags | O_NOFOLLOW));
            return out.valid() ? 0 : errno;
        });
    if (result != Outcome::Done) {
        if (created)
            ::unlinkat(dst.folder, dst.name.constData(), AT_REMOVEDIR);
        return result;
    }

    bool allDone = true;
    for (const QByteArray &name : std::as_const(names)) {
        const Outcome child = transfer(Place{in.get(), name, joinPath(src.path, name)},
                                       Place{out.get(), name, joinPath(dst.path, name)}, move, created, depth + 1);
        if (child == Outcome::Cancelled) {
            result = Outcome::Cancelled;
            break;
        }
        if (child == Outcome::Skipped)
            allDone = false;
    }
    if (created) {
        ::fchmod(out.get(), st.st_mode & 07777);
        const struct timespec times[2] = {st.st_atim, st.st_mtim};
        ::futimens(out.get(), times);
        if (result == Outcome::Cancelled)
            ::unlinkat(dst.folder, dst.name.constData(), AT_REMOVEDIR); // only when still empty
    }
    if (result == Outcome::Done && !allDone)
        result = Outcome::Skipped;
    // The source folder goes only when everything in it has moved.
    if (move && result == Outcome::Done) {
        ::fsync(out.get());
        result = attempt(src.path,
                         [&] { return ::unlinkat(src.folder, src.name.constData(), AT_REMOVEDIR) == 0 ? 0 : errno; });
    }
    itemDone(depth);
    return result;
}

int FileOperation::Private::createTemp(int folder, QByteArray &temp, Fd &out)
{
    return underTemporaryName(temp, [&](const char *name) {
        out = Fd(::openat(folder, name, O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600));
        return out.valid();
    });
}

// Copies a file's content, keeping the holes of a sparse file; 0, an errno,
// or ECANCELED when stopped.
int FileOperation::Private::copyData(int in, int out, const struct stat &st, qint64 &copied)
{
    bool range = true;
    // Files of /proc and /sys report no blocks, size 0 or a page whatever they
    // hold: such a size is not to be trusted, so the file is read to its end.
    static const off_t page = ::sysconf(_SC_PAGESIZE);
    if (st.st_blocks == 0 || st.st_size == 0 || st.st_size == page) {
        range = false;
        return copyRange(in, out, nullptr, -1, range, copied);
    }
    if (st.st_blocks * 512 >= st.st_size)
        return copyRange(in, out, nullptr, -1, range, copied);
    off_t position = 0;
    for (;;) {
        const off_t data = ::lseek(in, position, SEEK_DATA);
        if (data < 0) {
            if (errno == ENXIO)
                break; // only a hole is left
            if (errno == EINVAL && position == 0)
                return copyRange(in, out, nullptr, -1, range, copied); // no hole lookup here
            return errno;
        }
        const off_t hole = ::lseek(in, data, SEEK_HOLE);
        if (hole < 0)
            return errno;
        off_t at = data;
        const int code = copyRange(in, out, &at, hole - data, range, copied);
        if (code != 0)
            return code;
        position = hole;
    }
    const off_t size = ::lseek(in, 0, SEEK_END);
    if (size < 0)
        return errno;
    return ::ftruncate(out, std::max<off_t>(size, position)) == 0 ? 0 : errno;
}

// Copies length bytes at *offset in both files (or, without an offset, from
// the current positions to the end of the input), by copy_file_range where the
// file systems allow it, otherwise through a large buffer.
int FileOperation::Private::copyRange(int in, int out, off_t *offset, qint64 length, bool &range, qint64 &copied)
{
    while (length != 0) {
        if (cancelled)
            return ECANCELED;
        qint64 chunk = length > 0 ? std::min(length, kRangeChunk) : kRangeChunk;
        const qint64 limit = cancelAfter;
        if (limit >= 0 && limit - bytesDone > 0 && limit - bytesDone < chunk)
            chunk = limit - bytesDone; // so that Cancel is pressed exactly at the given byte
        ssize_t n;
        if (range) {
            loff_t inAt = offset ? *offset : 0, outAt = inAt;
            n = ::copy_file_range(in, offset ? &inAt : nullptr, out, offset ? &outAt : nullptr, size_t(chunk), 0);
            if (n < 0 && (errno == EXDEV || errno == ENOSYS || errno == EINVAL || errno == EOPNOTSUPP)) {
                range = false;
                continue;
            }
        } else {
            if (buffer.empty())
                buffer.resize(kBufferSize);
            const size_t want = size_t(std::min<qint64>(chunk, qint64(buffer.size())));
            n = offset ? ::pread(in, buffer.data(), want, *offset) : ::read(in, buffer.data(), want);
            for (ssize_t written = 0; n > 0 && written < n;) {
                const ssize_t w = offset
                                      ? ::pwrite(out, buffer.data() + written, size_t(n - written), *offset + written)
                                      : ::write(out, buffer.data() + written, size_t(n - written));
                if (w < 0 && errno != EINTR)
                    return errno;
                if (w == 0)
                    return EIO;
                written += std::max<ssize_t>(w, 0);
            }
        }
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        if (n == 0)
            return 0; // the end of the input
        if (offset)
            *offset += n;
        if (length > 0)
            length -= n;
        copied += n;
        addBytes(n);
    }
    return 0;
}

Outcome FileOperation::Private::transferLeaf(const Place &src, Place &dst, const struct stat &st, bool move,
                                             bool replace, int depth)
{
    QByteArray temp;
    const struct timespec times[2] = {st.st_atim, st.st_mtim};
    struct stat copied = st; // the source as its copy ended
    Outcome outcome;
    if (S_ISREG(st.st_mode)) {
        Fd in;
        outcome = attempt(src.path, [&] {
            // Non-blocking, so a file swapped for a FIFO since it was looked at cannot hang the copy.
            in = Fd(::openat(src.folder, src.name.constData(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK));
            if (!in.valid())
                return errno;
            struct stat opened
            {
            };
            if (::fstat(in.get(), &opened) != 0)
                return errno;
            if (!S_ISREG(opened.st_mode))
                return EINVAL;
            ::fcntl(in.get(), F_SETFL, ::fcntl(in.get(), F_GETFL) & ~O_NONBLOCK);
            return 0;
        });
        if (outcome != Outcome::Done)
            return outcome;
        for (;;) {
            Fd out;
            qint64 copied = 0;
            // A new name gets an unnamed file, linked in once whole: nothing
            // is left behind even by a crash. Elsewhere a temporary name.
            bool named = false;
            bool linked = false;
            int code = 0;
            if (!replace && unnamedFiles)
                out = Fd(::openat(dst.folder, ".", O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600));
            if (!out.valid()) {
                code = createTemp(dst.folder, temp, out);
                named = code == 0;
            }
            const bool made = out.valid();
            if (code == 0)
                code = copyData(in.get(), out.get(), st, copied);
            if (code == 0 && ::fchmod(out.get(), copyMode(st, user, group)) != 0)
                code = errno;
            if (code == 0 && ::futimens(out.get(), times) != 0)
                code = errno;
            // The data must be on disk before it replaces an old target or its source goes.
            if (code == 0 && (replace || move) && ::fsync(out.get()) != 0)
                code = errno;
            if (code == 0 && !named) {
                const QByteArray self = "/proc/self/fd/" + QByteArray::number(out.get());
                int result = -1;
                if (linkByDescriptor) {
                    result = ::linkat(out.get(), "", dst.folder, dst.name.constData(), AT_EMPTY_PATH);
                    if (result != 0 && (errno == ENOENT || errno == EPERM))
                        linkByDescriptor = false;
                }
                if (!linkByDescriptor)
                    result = ::linkat(AT_FDCWD, self.constData(), dst.folder, dst.name.constData(), AT_SYMLINK_FOLLOW);
                if (result == 0) {
                    linked = true;
                } else if (errno == EEXIST) {
                    // The name was taken meanwhile: give the copy a temporary
                    // name and let commit ask about the conflict.
                    code = EEXIST;
                    for (int tries = 0; tries < 100 && code == EEXIST; ++tries) {
                        temp = ".quil-" + QByteArray::number(QRandomGenerator::global()->generate64(), 36) + ".part";
                        code =
                            ::linkat(AT_FDCWD, self.constData(), dst.folder, temp.constData(), AT_SYMLINK_FOLLOW) == 0
                                ? 0
                                : errno;
                    }
                    named = code == 0;
                } else {
                    code = errno;
                }
            }
            if (code == 0)
                code = out.close();
            if (code == 0) {
                if (linked)
                    temp.clear();
                break;
            }
            out.reset();
            if (linked)
                ::unlinkat(dst.folder, dst.name.constData(), 0);
            if (named)
                ::unlinkat(dst.folder, temp.constData(), 0);
            bytesDone -= copied;
            if (code == ECANCELED && cancelled)
                return Outcome::Cancelled;
            const Choice choice = ask(code == ENOSPC || code == EDQUOT || !made ? dst.path : src.path, code);
            if (choice != Choice::Retry)
                return outcomeOf(choice);
            if (::lseek(in.get(), 0, SEEK_SET) != 0)
                return outcomeOf(ask(src.path, errno));
        }
        if (::fstat(in.get(), &copied) != 0)
            copied = {};
    } else if (S_ISLNK(st.st_mode)) {
        outcome = attempt(src.path, [&] {
            QByteArray link(qsizetype(st.st_size > 0 ? st.st_size + 1 : PATH_MAX), '\0');
            for (;;) {
                const ssize_t n = ::readlinkat(src.folder, src.name.constData(), link.data(), size_t(link.size()));
                if (n < 0)
                    return errno;
                if (n < link.size()) {
                    link.truncate(n);
                    break;
                }
                link.resize(link.size() * 2);
            }
            return underTemporaryName(temp, [&](const char *name) {
                if (::symlinkat(link.constData(), dst.folder, name) != 0)
                    return false;
                ::utimensat(dst.folder, name, times, AT_SYMLINK_NOFOLLOW);
                return true;
            });
        });
        if (outcome != Outcome::Done)
            return outcome;
    } else {
        // Devices, pipes and sockets are made anew, as cp -a does.
        outcome = attempt(dst.path, [&] {
            return underTemporaryName(temp, [&](const char *name) {
                if (::mknodat(dst.folder, name, (st.st_mode & S_IFMT) | copyMode(st, user, group), st.st_rdev) != 0)
                    return false;
                ::fchmodat(dst.folder, name, copyMode(st, user, group), 0);
                ::utimensat(dst.folder, name, times, AT_SYMLINK_NOFOLLOW);
                return true;
            });
        });
        if (outcome != Outcome::Done)
            return outcome;
    }

    if (!temp.isEmpty()) {
        outcome = commit(temp, dst, replace);
        if (outcome != Outcome::Done)
            return outcome;
    }
    if (move) {
        // The new name must be durable before the source goes.
        ::fsync(dst.folder);
        outcome = checkUnchanged(src, st, copied);
        if (outcome == Outcome::Done)
            outcome =
                attempt(src.path, [&] { return ::unlinkat(src.folder, src.name.constData(), 0) == 0 ? 0 : errno; });
    }
    itemDone(depth);
    return outcome;
}

// Whether the source of a move still is the file that was copied, by the
// name about to be deleted; a source replaced or written meanwhile is kept
// and reported.
Outcome FileOperation::Private::checkUnchanged(const Place &src, const struct stat &before, const struct stat &copied)
{
    for (;;) {
        if (cancelled)
            return Outcome::Cancelled;
        struct stat now;
        Choice choice = Choice::Retry;
        if (::fstatat(src.folder, src.name.constData(), &now, AT_SYMLINK_NOFOLLOW) != 0)
            choice = ask(src.path, errno);
        else if (unchangedSince(before, now) && unchangedSince(before, copied))
            return Outcome::Done;
        else
            choice = ask(src.path, kChangedText, EBUSY);
        if (choice != Choice::Retry)
            return outcomeOf(choice);
    }
}

// Renames the whole temporary item to its final name; removes it on every failure.
Outcome FileOperation::Private::commit(const QByteArray &temp, Place &dst, bool replace)
{
    for (;;) {
        const int renamed = replace ? ::renameat(dst.folder, temp.constData(), dst.folder, dst.name.constData())
                                    : renameNoReplace(dst.folder, temp.constData(), dst.folder, dst.name.constData());
        if (renamed == 0)
            return Outcome::Done;
        int code = errno;
        Choice choice = Choice::Retry;
        if (code == EEXIST && !replace) {
            // Something took the final name while the copy was written.
            struct stat existing;
            if (flags & FOF_RENAMEONCOLLISION) {
                code = freeName(dst, false);
                if (code == 0)
                    continue;
                choice = ask(dst.path, code);
            } else if (::fstatat(dst.folder, dst.name.constData(), &existing, AT_SYMLINK_NOFOLLOW) == 0 &&
                       S_ISDIR(existing.st_mode)) {
                choice = ask(dst.path, EISDIR);
            } else if (replaceAll) {
                replace = true;
                continue;
            } else {
                switch (dialogs.askTargetExists(fromNative(dst.path), fromNative(dst.path))) {
                case Dialogs::TargetExistsAnswer::ReplaceAll:
                    replaceAll = true;
                    [[fallthrough]];
                case Dialogs::TargetExistsAnswer::Replace:
                    replace = true;
                    continue;
                case Dialogs::TargetExistsAnswer::Skip:
                    noteError(EEXIST);
                    choice = Choice::Skip;
                    break;
                case Dialogs::TargetExistsAnswer::Cancel:
                    stop();
                    choice = Choice::Cancel;
                    break;
                }
            }
        } else {
            choice = ask(dst.path, code);
        }
        if (choice == Choice::Retry)
            continue;
        ::unlinkat(dst.folder, temp.constData(), 0);
        return outcomeOf(choice);
    }
}

bool FileOperation::Private::runDelete()
{
    std::vector<std::pair<QByteArray, Fd>> items;
    for (const QString &source : sources) {
        const QByteArray path = stripSlashes(toNative(source));
        Fd parent(isBadPath(path) ? -1 : openFolder(dirName(path)));
        if (parent.valid())
            scan(parent.get(), baseName(path), false);
        else
            ++itemsTotal;
        items.emplace_back(path, std::move(parent));
    }
    for (auto &[path, parent] : items) {
        if (cancelled)
            break;
        const QByteArray name = baseName(path);
        if (isBadPath(path)) {
            enter(path);
            if (ask(path, EINVAL) == Choice::Cancel)
                break;
            continue;
        }
        if (attempt(path, [&] {
                if (!parent.valid())
                    parent = Fd(openFolder(dirName(path)));
                return parent.valid() ? 0 : errno;
            }) != Outcome::Done) {
            if (cancelled)
                break;
            continue;
        }
        if (removeItem(Place{parent.get(), name, path}, 0) == Outcome::Cancelled)
            break;
    }
    return true;
}

Outcome FileOperation::Private::removeItem(const Place &place, int depth)
{
    if (cancelled)
        return Outcome::Cancelled;
    struct stat st;
    Outcome outcome = enterItem(place, st);
    if (outcome != Outcome::Done)
        return outcome;
    if (S_ISDIR(st.st_mode)) {
        Fd inner;
        QList<QByteArray> names;
        outcome = attempt(place.path, [&] {
            inner = Fd(::openat(place.folder, place.name.constData(), kDirFlags | O_NOFOLLOW));
            if (!inner.valid())
                return errno;
            names.clear();
            return listFolder(inner.get(), names);
        });
        if (outcome != Outcome::Done)
            return outcome;
        bool allDone = true;
        for (const QByteArray &name : std::as_const(names)) {
            const Outcome child = removeItem(Place{inner.get(), name, joinPath(place.path, name)}, depth + 1);
            if (child == Outcome::Cancelled)
                return child;
            allDone = allDone && child == Outcome::Done;
        }
        // What could not be deleted has been reported; the folder keeps it.
        if (!allDone) {
            ++itemsDone;
            return Outcome::Skipped;
        }
    }
    outcome = attempt(place.path, [&] {
        return ::unlinkat(place.folder, place.name.constData(), S_ISDIR(st.st_mode) ? AT_REMOVEDIR : 0) == 0 ? 0
                                                                                                             : errno;
    });
    ++itemsDone;
    return outcome;
}

bool FileOperation::Private::runTrash()
{
    itemsTotal = int(sources.size());
    for (const QString &source : sources) {
        if (cancelled)
            break;
        const QByteArray path = stripSlashes(toNative(source));
        enter(path);
        for (;;) {
            if (isBadPath(path)) {
                if (ask(path, EINVAL) == Choice::Retry)
                    continue;
                break;
            }
            const QString reason = moveToTrash(path);
            if (reason.isEmpty())
                break;
            if (ask(path, reason, EIO) != Choice::Retry)
                break;
        }
        ++itemsDone;
    }
    return true;
}

bool FileOperation::Private::runRename()
{
    if (sources.size() != 1) {
        noteError(EINVAL);
        return false;
    }
    const QByteArray from = stripSlashes(toNative(sources.front()));
    const QByteArray to = stripSlashes(toNative(target));
    const bool folderTarget = toNative(target).endsWith('/');
    itemsTotal = 1;
    enter(from);
    Fd fromFolder, toFolder;
    struct stat st;
    Outcome outcome = attempt(from, [&] {
        if (isBadPath(from))
            return EINVAL;
        fromFolder = Fd(openFolder(dirName(from)));
        if (!fromFolder.valid())
            return errno;
        if (::fstatat(fromFolder.get(), baseName(from).constData(), &st, AT_SYMLINK_NOFOLLOW) != 0)
            return errno;
        // A new name written with a trailing "/" is a folder's: a file cannot take it.
        return folderTarget && !S_ISDIR(st.st_mode) ? ENOTDIR : 0;
    });
    if (outcome == Outcome::Done)
        outcome = attempt(to, [&] {
            if (isBadPath(to))
                return EINVAL;
            toFolder = Fd(openFolder(dirName(to)));
            return toFolder.valid() ? 0 : errno;
        });
    if (outcome != Outcome::Done)
        return true;
    const Place src{fromFolder.get(), baseName(from), from};
    Place dst{toFolder.get(), baseName(to), to};
    const bool isFolder = S_ISDIR(st.st_mode);
    for (;;) {
        bool replace = false;
        struct stat existing;
        if (::fstatat(dst.folder, dst.name.constData(), &existing, AT_SYMLINK_NOFOLLOW) == 0) {
            if (sameFile(existing, st)) {
                // The same item: unchanged, or a change of letter case where
                // the file system ignores case.
                if (src.name != dst.name || dirName(from) != dirName(to))
                    ::renameat(src.folder, src.name.constData(), dst.folder, dst.name.constData());
                ++itemsDone;
                return true;
            }
            if (resolveToSameFile(src.folder, src.name, dst.folder, dst.name)) {
                if (ask(dst.path, kSameFileText, EINVAL) == Choice::Retry)
                    continue;
                return true;
            }
            if (flags & FOF_RENAMEONCOLLISION) {
                const int code = freeName(dst, isFolder);
                if (code != 0) {
                    if (ask(dst.path, code) == Choice::Retry)
                        continue;
                    return true;
                }
            } else {
                switch (dialogs.askTargetExists(fromNative(src.path), fromNative(dst.path))) {
                case Dialogs::TargetExistsAnswer::Replace:
                case Dialogs::TargetExistsAnswer::ReplaceAll:
                    replace = true;
                    break;
                case Dialogs::TargetExistsAnswer::Skip:
                    noteError(EEXIST);
                    return true;
                case Dialogs::TargetExistsAnswer::Cancel:
                    stop();
                    return true;
                }
            }
        }
        const int renamed = replace
                                ? ::renameat(src.folder, src.name.constData(), dst.folder, dst.name.constData())
                                : renameNoReplace(src.folder, src.name.constData(), dst.folder, dst.name.constData());
        if (renamed == 0) {
            ++itemsDone;
            return true;
        }
        const int code = errno;
        if (code == EEXIST)
            continue;
        if (code == EXDEV) {
            // The new path is on another volume: a move that keeps the source until its copy is whole.
            counted = false;
            transfer(src, dst, true, false, 0);
            return true;
        }
        if (ask(src.path, code) != Choice::Retry)
            return true;
    }
}

FileOperation::FileOperation(Dialogs &dialogs, QStringList sources, QString target, int operation, int flags)
    : d(std::make_unique<Private>(dialogs, std::move(sources), std::move(target), operation, flags))
{}

FileOperation::~FileOperation() = default;

bool FileOperation::run()
{
    return d->run();
}

void FileOperation::cancel()
{
    d->cancelled = true;
}

bool FileOperation::isCancelled() const
{
    return d->cancelled;
}

FileOperation::Progress FileOperation::progress() const
{
    Progress p;
    {
        QMutexLocker lock(&d->mutex);
        p.current = d->current;
    }
    p.bytesDone = d->bytesDone;
    p.bytesTotal = d->bytesTotal;
    p.itemsDone = d->itemsDone;
    p.itemsTotal = d->itemsTotal;
    return p;
}

int FileOperation::operation() const
{
    return d->operation;
}

int FileOperation::firstError() const
{
    const int code = d->error;
    return code == 0 && d->cancelled ? ECANCELED : code;
}

void FileOperation::setCancelAfterBytes(qint64 bytes)
{
    d->cancelAfter = bytes;
}

void FileOperation::setBeforeItem(std::function<void(const QString &)> hook)
{
    d->beforeItem = std::move(hook);
}

void FileOperation::setAfterBytes(std::function<void(qint64)> hook)
{
    d->afterBytes = std::move(hook);
}

QByteArray FileOperation::collisionName(const QByteArray &name, int n, bool isFolder)
{
    const QByteArray suffix = " (" + QByteArray::number(n) + ')';
    const qsizetype dot = isFolder ? -1 : name.lastIndexOf('.');
    if (dot <= 0)
        return name + suffix;
    return name.left(dot) + suffix + name.mid(dot);
}

} // namespace quil
