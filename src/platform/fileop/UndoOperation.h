#pragma once

#include "platform/fileop/UndoJournal.h"

#include <QStringList>

#include <functional>

namespace quil {

class Dialogs;
class FileOperation;

// Undoes one journalled operation as one file operation (UndoJob: its
// progress, Cancel and questions): a copy's items go to the trash, moved
// items go back, trashed items are restored to where they were (the file and
// its .trashinfo), a rename takes the old name again, a made folder is
// removed while empty. An item that changed since (another file, size or
// time, or its old place taken), and what is new or changed inside a copied
// folder, is left alone; those are listed in one message.
class UndoOperation
{
public:
    // Runs the prepared file operation; by default on the calling thread.
    using Runner = std::function<bool(FileOperation &)>;

    explicit UndoOperation(Dialogs &dialogs, Runner runner = {});

    struct Result
    {
        bool allDone = false;  // every item was undone
        QStringList leftAlone; // the items left as they were, as shown
        // What can still be undone: the items not undone that are still as
        // the operation left them (the whole entry when nothing was undone);
        // no items when nothing is left.
        UndoEntry remaining;
    };
    Result undo(const UndoEntry &entry);

    // The question before an undo: "Отменить: копирование 3 объект(ов)?".
    static QString question(const UndoEntry &entry);

private:
    Dialogs &m_dialogs;
    Runner m_runner;
};

} // namespace quil
