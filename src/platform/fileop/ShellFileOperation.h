#pragma once

#include "platform/fileop/FileOperation.h"

#include <QString>
#include <QStringList>

class QWidget;

namespace quil {

class Dialogs;

// The shell file operation: copies, moves (FO_COPY, FO_MOVE) the sources into
// the target folder, or one source to the new path given as target; deletes
// (FO_DELETE) them, to the trash when the flags hold FOF_ALLOWUNDO; renames
// (FO_RENAME) one source to the target path. A flag word of 0 stands for
// FOF_ALLOWUNDO. Questions and messages go through dialogs. Blocks the caller
// until done: the I/O runs on a worker thread while the window thread keeps
// processing events, and a progress window (owned by owner) appears once the
// operation lasts longer than half a second. True when everything was done;
// false when anything was skipped, failed, refused or cancelled.
bool ShellFileOperation(Dialogs &dialogs, const QStringList &sources, const QString &target, int operation, int flags,
                        QWidget *owner = nullptr);

// Renames one item (any path length). On a name that already exists the item
// gets "name (2).ext", "name (3).ext", ... instead of replacing it
// (FOF_RENAMEONCOLLISION). Returns 0 on success, otherwise the errno of the
// failure (ECANCELED when cancelled).
int ShellRename(Dialogs &dialogs, const QString &oldPath, const QString &newPath, QWidget *owner = nullptr);

// Runs a prepared operation as ShellFileOperation does: on a worker thread,
// with the progress window when called on the thread of a QApplication
// (without one, it simply waits). Returns the operation's result.
bool runFileOperation(FileOperation &operation, QWidget *owner = nullptr);

// Runs a prepared operation as runFileOperation does, and journals what it
// placed for undo (operation code and flags as the operation was made with).
bool runJournalledOperation(FileOperation &operation, int code, int flags, QWidget *owner = nullptr);

} // namespace quil
