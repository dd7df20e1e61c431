#pragma once

#include "platform/fileop/FileOperationCalls.h"
#include "platform/fileop/TrashEntry.h"

#include <QString>

#include <atomic>
#include <functional>
#include <mutex>
#include <stop_token>
#include <unistd.h>

namespace quil {
class Dialogs;
}

namespace quil::fileop {

// What every job of one file operation shares: the counters the progress
// window reads, the cancel request, the first error, and the one loop that asks
// the user to retry, skip or cancel an item that failed.
struct OperationState
{
    OperationState(Dialogs &dialogs, int flags) : dialogs(dialogs), flags(flags) {}

    enum class Choice { Retry, Skip, Cancel };

    Dialogs &dialogs;
    const int flags;

    // Cancel: a stop request that the jobs and the threads beside them poll,
    // through cancelled() or a token passed down.
    std::stop_source cancelSource;
    bool cancelled() const { return cancelSource.stop_requested(); }
    std::stop_token cancelToken() const { return cancelSource.get_token(); }
    std::atomic<qint64> bytesDone{0};
    std::atomic<qint64> bytesTotal{0};
    std::atomic<int> itemsDone{0};
    std::atomic<int> itemsTotal{0};
    std::atomic<qint64> cancelAfter{-1};
    std::atomic<int> error{0};
    mutable std::mutex mutex;
    QString current;
    // The hooks below are called on the worker threads, never two at once
    // but for placed.
    std::function<void(const QString &)> beforeItem;
    std::function<void(qint64)> afterBytes;
    // Each item put in a new place as a whole (a copy, a moved item, a
    // trashed one with its data before), for the undo journal; unlike the
    // other hooks, called on several threads at once.
    std::function<void(const QByteArray &from, const QByteArray &to, const struct stat *before)> placed;
    // Each item a copy or move replaced, with its entry in the trash (empty
    // when it could not be trashed and is gone for good).
    std::function<void(const QByteArray &path, const TrashEntry &trashed)> replaced;
    std::atomic<bool> failed{false};

    // The operation's own worker thread only (helpers copying files beside
    // it neither ask nor read these).
    bool replaceAll = false;
    bool counted = true; // the current source was walked for the totals
    const uid_t user = ::geteuid();
    const gid_t group = ::getegid();
    const mode_t umask = currentUmask();

    void noteError(int code);
    void stop();
    void addBytes(qint64 n);
    void itemDone(int depth);
    void notePlaced(const QByteArray &from, const QByteArray &to, const struct stat *before = nullptr);
    void noteReplaced(const QByteArray &path, const TrashEntry &trashed);
    // Makes the path the current item of the progress.
    void enter(const QByteArray &path);
    Choice ask(const QByteArray &path, const QString &reason, int code);
    Choice ask(const QByteArray &path, int code) { return ask(path, reasonText(code), code); }
    static Outcome outcomeOf(Choice choice) { return choice == Choice::Skip ? Outcome::Skipped : Outcome::Cancelled; }

    // Runs step (0 or an errno) until it succeeds or the user gives the item up.
    template <typename Step> Outcome attempt(const QByteArray &path, Step step)
    {
        for (;;) {
            if (cancelled())
                return Outcome::Cancelled;
            const int code = step();
            if (code == 0)
                return Outcome::Done;
            const Choice choice = ask(path, code);
            if (choice != Choice::Retry)
                return outcomeOf(choice);
        }
    }

    // Makes the item current and reads its own data (a link's, not its
    // target's), asking on failure.
    Outcome enterItem(const Place &place, struct stat &st);
    // Reads the current item's own data, asking on failure.
    Outcome lookAt(const Place &place, struct stat &st);
    // Gives the place the first "name (n)" that does not exist yet. 0 or errno.
    int freeName(Place &place, bool isFolder);
    // Tells that a folder cannot be copied or moved into itself.
    void refuseIntoItself(const QByteArray &name, bool move);
    // Asks whether the existing target is replaced. Done to replace.
    Outcome askReplace(const QByteArray &source, const QByteArray &target);

private:
    std::mutex m_hookMutex;
};

} // namespace quil::fileop
