#pragma once

#include <QString>
#include <QStringList>

#include <sys/stat.h>

#include <functional>
#include <memory>

namespace quil {

class Dialogs;

namespace fileop {
struct OperationState;
}

// Operation codes and flags of the shell file operation.
constexpr int FO_MOVE = 1;
constexpr int FO_COPY = 2;
constexpr int FO_DELETE = 3;
constexpr int FO_RENAME = 4;
// The undo of a journalled operation (no shell code: the program's own).
constexpr int FO_UNDO = 5;

constexpr int FOF_MULTIDESTFILES = 0x0001;
constexpr int FOF_RENAMEONCOLLISION = 0x0008;
constexpr int FOF_ALLOWUNDO = 0x0040;

// One copy, move, delete or rename of a list of sources, run synchronously by
// run() on the calling (worker) thread. Nothing it does can lose data:
// - files are written under a temporary name in the target folder, and renamed
//   over the final name only once whole, so an existing target stays whole
//   until its replacement is, and a failed or cancelled copy leaves nothing
//   under the final name (the temporary file is always removed);
// - a move inside one file system is a rename; across file systems each source
//   file is deleted only after its copy is complete, synced and closed, and a
//   folder only when everything in it has moved;
// - links are copied as links, and the names of one file stay names of one
//   copy; permission bits and modification times are kept;
// - with FOF_ALLOWUNDO, an item a copy or move replaces goes to the trash;
// - names are the system's bytes (quil::toNative/fromNative), any path length.
// Questions go through Dialogs (askTargetExists, askItemError, message); they
// are asked from the thread that calls run().
class FileOperation
{
public:
    struct Progress
    {
        QString current; // the item being worked on
        qint64 bytesDone = 0;
        qint64 bytesTotal = 0;
        int itemsDone = 0;
        int itemsTotal = 0;
    };

    // sources: full paths; target: a folder, or with one source (copy, move)
    // a new path, or the new full path (rename); operation: FO_*; flags: FOF_*.
    // With FOF_ALLOWUNDO a delete moves to the trash, without it deletes for good.
    FileOperation(Dialogs &dialogs, QStringList sources, QString target, int operation, int flags);
    // An operation whose work is job (the undo of a journalled operation):
    // run() runs it with this operation's progress, cancel and questions, and
    // answers its result, false too when anything failed or was cancelled.
    using Job = std::function<bool(fileop::OperationState &)>;
    FileOperation(Dialogs &dialogs, int operation, Job job);
    ~FileOperation();
    FileOperation(const FileOperation &) = delete;
    FileOperation &operator=(const FileOperation &) = delete;

    // Runs the operation once. True when every item was done; false when
    // anything was skipped, failed, refused or cancelled. Cost: one walk of the
    // sources for the totals, then the I/O.
    bool run();

    // Asks the running operation to stop at the next block. Any thread.
    void cancel();
    bool isCancelled() const;
    // A snapshot for the progress window. Any thread.
    Progress progress() const;
    int operation() const;
    // The target as given (empty for a delete).
    QString target() const;
    // The errno of the first failure, ECANCELED after a cancel, 0 after success.
    int firstError() const;

    // Presses Cancel once this many bytes have been written (tests, quil-fileop).
    void setCancelAfterBytes(qint64 bytes);
    // Called before each item is worked on, with its source path (tests
    // change the tree there). Like the hooks below, on the worker thread or
    // the ones copying files beside it, never on two at once (but for
    // setItemPlaced's).
    void setBeforeItem(std::function<void(const QString &source)> hook);
    // Called each time bytes have been written, with the running total
    // (tests change a source while its copy runs).
    void setAfterBytes(std::function<void(qint64 bytesDone)> hook);
    // Called for each item put in a new place as a whole: a copied or moved
    // item (from, its new path; before is null), a folder made by a copy even
    // when cancelled, a trashed item (to is its entry in the trash's files
    // folder, or empty when that cannot be told; before holds its data as
    // it went). Unlike the others, on several threads at once: items inside
    // a folder still come before it.
    void
    setItemPlaced(std::function<void(const QByteArray &from, const QByteArray &to, const struct stat *before)> hook);
    // Called for each item a copy or move replaced. With FOF_ALLOWUNDO a
    // replaced item (not a folder: folders are merged) goes to the trash
    // first: trashFile and trashInfo say where it lies there; both are empty
    // where it could not be trashed and is gone for good.
    void setItemReplaced(
        std::function<void(const QByteArray &path, const QByteArray &trashFile, const QByteArray &trashInfo)> hook);

    // The name an item gets on a collision: "name (n).ext" for files (the
    // extension is from the last dot, not a leading one), "name (n)" for folders.
    static QByteArray collisionName(const QByteArray &name, int n, bool isFolder);

private:
    struct Private;
    std::unique_ptr<Private> d;
};

} // namespace quil
