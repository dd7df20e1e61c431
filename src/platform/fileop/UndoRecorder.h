#pragma once

#include "platform/fileop/UndoJournal.h"

#include <mutex>

namespace quil {

class FileOperation;

// Collects what one file operation put in new places, while it runs, into
// the undo entry of its kind: copy, move, delete to the trash or rename.
// A folder reported as a whole takes the place of the items inside it
// reported before it, which it keeps as its contents. Cost: constant per
// item (the items inside a folder are the last ones reported).
class UndoRecorder
{
public:
    // Starts recording the operation (before it runs); operation and flags
    // as given to it. A permanent delete records nothing.
    UndoRecorder(FileOperation &operation, int code, int flags);

    // After the run: the entry, with the items still where the operation
    // left them, added to the journal as its newest.
    void commitTo(UndoJournal &journal);
    UndoEntry entry();

private:
    void placed(const QByteArray &from, const QByteArray &to, const struct stat *before);
    void replaced(const QByteArray &path, const QByteArray &trashFile, const QByteArray &trashInfo);

    std::mutex m_mutex;
    UndoEntry m_entry;
    bool m_active = true;
};

} // namespace quil
