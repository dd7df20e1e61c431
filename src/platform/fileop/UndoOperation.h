#pragma once

#include "platform/fileop/UndoJournal.h"

#include <QStringList>

#include <functional>

namespace quil {

class Dialogs;
class FileOperation;

// Undoes one journalled operation through the file operation, with its
// questions and its rules: a copy's items go to the trash, moved items go
// back, trashed items are restored to where they were (the file and its
// .trashinfo), a rename takes the old name again, a made folder is removed
// while empty. An item that changed since (another file, size or time, or
// its old place taken) is left alone; those are listed in one message.
class UndoOperation
{
public:
    // Runs a prepared file operation; by default on the calling thread.
    using Runner = std::function<bool(FileOperation &)>;

    explicit UndoOperation(Dialogs &dialogs, Runner runner = {});

    struct Result
    {
        bool allDone = false;  // every item was undone
        QStringList leftAlone; // the items left as they were, as shown
    };
    Result undo(const UndoEntry &entry);

    // The question before an undo: "Отменить: копирование 3 объект(ов)?".
    static QString question(const UndoEntry &entry);

private:
    bool run(const QStringList &sources, const QString &target, int code, int flags);
    bool undoCopy(const UndoEntry &entry);
    bool undoMove(const UndoEntry &entry);
    bool undoTrash(const UndoEntry &entry);
    bool undoRename(const UndoEntry &entry);
    bool undoCreateFolder(const UndoEntry &entry);
    // Whether the item is still what the operation left at to.
    bool stillThere(const UndoItem &item);
    // Whether the old place is free (and its folder there, made when missing).
    bool placeFree(const QByteArray &path);
    void leaveAlone(const QByteArray &path);

    Dialogs &m_dialogs;
    Runner m_runner;
    QStringList m_leftAlone;
};

} // namespace quil
