#include "platform/fileop/OperationState.h"

#include "platform/BytePath.h"
#include "platform/Dialogs.h"
#include "platform/NativePath.h"

#include <QCoreApplication>
#include <cerrno>

namespace quil::fileop {

void OperationState::noteError(int code)
{
    failed = true;
    int none = 0;
    error.compare_exchange_strong(none, code);
}

void OperationState::stop()
{
    noteError(ECANCELED);
    cancelSource.request_stop();
}

void OperationState::addBytes(qint64 n)
{
    const qint64 done = bytesDone += n;
    if (afterBytes) {
        const std::scoped_lock lock(m_hookMutex);
        afterBytes(done);
    }
    const qint64 limit = cancelAfter;
    if (limit >= 0 && done >= limit)
        stop();
}

void OperationState::itemDone(int depth)
{
    if (counted || depth == 0)
        ++itemsDone;
}

void OperationState::notePlaced(const QByteArray &from, const QByteArray &to, const struct stat *before)
{
    // Unlocked: the undo's recorder reads each item's identity (a round
    // trip on a server) beside the other threads' and locks only to add it.
    if (placed)
        placed(from, to, before);
}

void OperationState::noteReplaced(const QByteArray &path, const TrashEntry &trashed)
{
    if (!replaced)
        return;
    const std::scoped_lock lock(m_hookMutex);
    replaced(path, trashed);
}

void OperationState::enter(const QByteArray &path)
{
    {
        const std::scoped_lock lock(mutex);
        current = fromNative(path);
    }
    // A text of its own: current's is let go by whichever thread enters next.
    if (beforeItem) {
        const std::scoped_lock lock(m_hookMutex);
        beforeItem(fromNative(path));
    }
}

OperationState::Choice OperationState::ask(const QByteArray &path, const QString &reason, int code)
{
    if (cancelled())
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

Outcome OperationState::enterItem(const Place &place, struct stat &st)
{
    enter(place.path);
    return lookAt(place, st);
}

Outcome OperationState::lookAt(const Place &place, struct stat &st)
{
    return attempt(place.path, [&] {
        return ::fstatat(place.folder, place.name.constData(), &st, AT_SYMLINK_NOFOLLOW) == 0 ? 0 : errno;
    });
}

int OperationState::freeName(Place &place, bool isFolder)
{
    const QByteArray original = place.name;
    const QByteArray folderPath = bytepath::parent(place.path);
    for (int n = 2; n < 100000; ++n) {
        const QByteArray candidate = collisionName(original, n, isFolder);
        struct stat st;
        if (::fstatat(place.folder, candidate.constData(), &st, AT_SYMLINK_NOFOLLOW) != 0) {
            if (errno != ENOENT)
                return errno;
            place.name = candidate;
            place.path = bytepath::join(folderPath, candidate);
            return 0;
        }
    }
    return EEXIST;
}

Outcome OperationState::askReplace(const QByteArray &source, const QByteArray &target)
{
    if (replaceAll)
        return Outcome::Done;
    switch (dialogs.askTargetExists(fromNative(source), fromNative(target))) {
    case Dialogs::TargetExistsAnswer::ReplaceAll:
        replaceAll = true;
        return Outcome::Done;
    case Dialogs::TargetExistsAnswer::Replace:
        return Outcome::Done;
    case Dialogs::TargetExistsAnswer::Skip:
        noteError(EEXIST);
        return Outcome::Skipped;
    case Dialogs::TargetExistsAnswer::Cancel:
        break;
    }
    stop();
    return Outcome::Cancelled;
}

void OperationState::refuseIntoItself(const QByteArray &name, bool move)
{
    const QString shown = fromNative(name);
    dialogs.message(
        move ? QCoreApplication::translate("OperationState", "Невозможно переместить \"%1\": конечная папка является "
                                                             "вложенной папкой исходной папки.")
                   .arg(shown)
             : QCoreApplication::translate("OperationState", "Невозможно скопировать \"%1\": конечная папка является "
                                                             "вложенной папкой исходной папки.")
                   .arg(shown),
        move ? QCoreApplication::translate("OperationState", "Ошибка при перемещении")
             : QCoreApplication::translate("OperationState", "Ошибка при копировании"),
        Dialogs::Icon::Error);
}

} // namespace quil::fileop
