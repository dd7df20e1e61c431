#include "platform/fileop/FileOperation.h"

#include "platform/fileop/DeleteJob.h"
#include "platform/fileop/FileOperationCalls.h"
#include "platform/fileop/GioItemJobs.h"
#include "platform/fileop/GioTransferJob.h"
#include "platform/fileop/OperationState.h"
#include "platform/fileop/RenameJob.h"
#include "platform/fileop/TransferJob.h"

#include <cerrno>

namespace quil {

struct FileOperation::Private
{
    Private(Dialogs &dialogs, QStringList sources, QString target, int operation, int flags)
        : state(dialogs, flags), sources(std::move(sources)), target(std::move(target)), operation(operation)
    {}

    fileop::OperationState state;
    const QStringList sources;
    const QString target;
    const int operation;
    Job job;

    bool run();
};

bool FileOperation::Private::run()
{
    if (job)
        return job(state) && !state.failed && !state.cancelled();
    if (sources.isEmpty()) {
        state.noteError(EINVAL);
        return false;
    }
    bool ok = false;
    switch (operation) {
    case FO_COPY:
    case FO_MOVE:
        // Network folders, archives and the trash through GIO; the disk on the program's own engine.
        ok = fileop::needsGio(sources, target)
                 ? fileop::GioTransferJob(state, operation == FO_MOVE).run(sources, target)
                 : fileop::TransferJob(state, operation == FO_MOVE).run(sources, target);
        break;
    case FO_DELETE:
        if (fileop::needsGio(sources, {}))
            ok = fileop::runGioRemoval(state, sources, state.flags & FOF_ALLOWUNDO);
        else
            ok = (state.flags & FOF_ALLOWUNDO) ? fileop::runTrash(state, sources)
                                               : fileop::DeleteJob(state).run(sources);
        break;
    case FO_RENAME:
        if (sources.size() != 1) {
            state.noteError(EINVAL);
            return false;
        }
        ok = fileop::needsGio(sources, target) ? fileop::runGioRename(state, sources.front(), target)
                                               : fileop::runRename(state, sources.front(), target);
        break;
    default:
        state.noteError(EINVAL);
        return false;
    }
    return ok && !state.failed && !state.cancelled();
}

FileOperation::FileOperation(Dialogs &dialogs, QStringList sources, QString target, int operation, int flags)
    : d(std::make_unique<Private>(dialogs, std::move(sources), std::move(target), operation, flags))
{}

FileOperation::FileOperation(Dialogs &dialogs, int operation, Job job)
    : d(std::make_unique<Private>(dialogs, QStringList(), QString(), operation, 0))
{
    d->job = std::move(job);
}

FileOperation::~FileOperation() = default;

bool FileOperation::run()
{
    return d->run();
}

void FileOperation::cancel()
{
    d->state.cancelSource.request_stop();
}

bool FileOperation::isCancelled() const
{
    return d->state.cancelled();
}

FileOperation::Progress FileOperation::progress() const
{
    Progress p;
    {
        const std::scoped_lock lock(d->state.mutex);
        p.current = d->state.current;
    }
    p.bytesDone = d->state.bytesDone;
    p.bytesTotal = d->state.bytesTotal;
    p.itemsDone = d->state.itemsDone;
    p.itemsTotal = d->state.itemsTotal;
    return p;
}

int FileOperation::operation() const
{
    return d->operation;
}

QString FileOperation::target() const
{
    return d->target;
}

int FileOperation::firstError() const
{
    const int code = d->state.error;
    return code == 0 && d->state.cancelled() ? ECANCELED : code;
}

void FileOperation::setCancelAfterBytes(qint64 bytes)
{
    d->state.cancelAfter = bytes;
}

void FileOperation::setBeforeItem(std::function<void(const QString &)> hook)
{
    d->state.beforeItem = std::move(hook);
}

void FileOperation::setAfterBytes(std::function<void(qint64)> hook)
{
    d->state.afterBytes = std::move(hook);
}

void FileOperation::setItemPlaced(std::function<void(const QByteArray &, const QByteArray &, const struct stat *)> hook)
{
    d->state.placed = std::move(hook);
}

void FileOperation::setItemReplaced(
    std::function<void(const QByteArray &path, const QByteArray &trashFile, const QByteArray &trashInfo)> hook)
{
    d->state.replaced = [hook = std::move(hook)](const QByteArray &path, const TrashEntry &trashed) {
        hook(path, trashed.file, trashed.info);
    };
}

QByteArray FileOperation::collisionName(const QByteArray &name, int n, bool isFolder)
{
    return fileop::collisionName(name, n, isFolder);
}

} // namespace quil
