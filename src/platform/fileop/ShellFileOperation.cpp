#include "platform/fileop/ShellFileOperation.h"

#include "platform/fileop/FileOperationProgress.h"
#include "platform/fileop/UndoRecorder.h"

#include <QApplication>
#include <QEventLoop>
#include <QPointer>
#include <QThread>
#include <QTimer>

#include <thread>

namespace quil {

bool runFileOperation(FileOperation &operation, QWidget *owner)
{
    bool result = false;
    auto *app = qobject_cast<QApplication *>(QCoreApplication::instance());
    if (!app || QThread::currentThread() != app->thread()) {
        std::jthread([&] { result = operation.run(); }).join();
        return result;
    }

    QEventLoop loop;
    bool finished = false;
    std::jthread worker([&] {
        result = operation.run();
        // Queued: the loop learns of the end on the window thread.
        QMetaObject::invokeMethod(
            &loop,
            [&] {
                finished = true;
                loop.quit();
            },
            Qt::QueuedConnection);
    });
    // The first half second: events are processed (repaints, questions from
    // the worker) but user input waits, so that no other command starts.
    QTimer::singleShot(500, &loop, &QEventLoop::quit);
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    if (!finished) {
        // On the heap: an owner deleted meanwhile deletes the window with it.
        QPointer<FileOperationProgress> window = new FileOperationProgress(operation, owner);
        window->setWindowModality(Qt::ApplicationModal);
        window->show();
        loop.exec();
        delete window.data();
    }
    worker.join();
    return result;
}

bool runJournalledOperation(FileOperation &operation, int code, int flags, QWidget *owner)
{
    UndoRecorder recorder(operation, code, flags);
    const bool done = runFileOperation(operation, owner);
    recorder.commitTo(UndoJournal::session());
    return done;
}

bool ShellFileOperation(Dialogs &dialogs, const QStringList &sources, const QString &target, int operation, int flags,
                        QWidget *owner)
{
    const int used = flags == 0 ? FOF_ALLOWUNDO : flags;
    FileOperation fileOperation(dialogs, sources, target, operation, used);
    return runJournalledOperation(fileOperation, operation, used, owner);
}

int ShellRename(Dialogs &dialogs, const QString &oldPath, const QString &newPath, QWidget *owner)
{
    // A rename names the exact new path, never a folder to move into.
    FileOperation fileOperation(dialogs, {oldPath}, newPath, FO_RENAME, FOF_RENAMEONCOLLISION);
    if (runJournalledOperation(fileOperation, FO_RENAME, FOF_RENAMEONCOLLISION, owner))
        return 0;
    const int code = fileOperation.firstError();
    return code != 0 ? code : 1;
}

} // namespace quil
