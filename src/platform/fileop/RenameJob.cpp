#include "platform/fileop/RenameJob.h"

#include "platform/BytePath.h"
#include "platform/NativePath.h"
#include "platform/UniqueFd.h"
#include "platform/fileop/FileOperation.h"
#include "platform/fileop/OperationState.h"
#include "platform/fileop/TransferJob.h"

#include <cerrno>

namespace quil::fileop {

namespace {

using Choice = OperationState::Choice;

// Opens the folders of both paths and reads the source. Done when both are there.
Outcome openBoth(OperationState &state, const QByteArray &from, const QByteArray &to, bool folderSource,
                 bool folderTarget, UniqueFd &fromFolder, UniqueFd &toFolder, struct stat &st)
{
    const Outcome outcome = state.attempt(from, [&] {
        if (isBadPath(from))
            return EINVAL;
        fromFolder = UniqueFd(openFolder(bytepath::parent(from)));
        if (!fromFolder.valid())
            return errno;
        if (::fstatat(fromFolder.get(), bytepath::fileName(from).constData(), &st, AT_SYMLINK_NOFOLLOW) != 0)
            return errno;
        if (folderSource)
            if (const int code = checkFolderName(fromFolder.get(), bytepath::fileName(from)); code != 0)
                return code;
        // A new name written with a trailing "/" is a folder's: a file cannot take it.
        return folderTarget && !S_ISDIR(st.st_mode) ? ENOTDIR : 0;
    });
    if (outcome != Outcome::Done)
        return outcome;
    return state.attempt(to, [&] {
        if (isBadPath(to))
            return EINVAL;
        toFolder = UniqueFd(openFolder(bytepath::parent(to)));
        return toFolder.valid() ? 0 : errno;
    });
}

// The new name is taken by another item: it is replaced, dst gets a free
// name of its own, the name is looked at again, or the rename ends.
enum class Taken { Replace, Renamed, Again, Finished };

Taken whenTaken(OperationState &state, const Place &src, Place &dst, const struct stat &st)
{
    if (resolveToSameFile(src.folder, src.name, dst.folder, dst.name))
        return state.ask(dst.path, sameFileText(), EINVAL) == Choice::Retry ? Taken::Again : Taken::Finished;
    if (state.flags & FOF_RENAMEONCOLLISION) {
        const int code = state.freeName(dst, S_ISDIR(st.st_mode));
        if (code == 0)
            return Taken::Renamed;
        return state.ask(dst.path, code) == Choice::Retry ? Taken::Again : Taken::Finished;
    }
    return state.askReplace(src.path, dst.path) == Outcome::Done ? Taken::Replace : Taken::Finished;
}

} // namespace

bool runRename(OperationState &state, const QString &source, const QString &target)
{
    const QByteArray from = bytepath::stripTrailingSlashes(toNative(source));
    const QByteArray to = bytepath::stripTrailingSlashes(toNative(target));
    state.itemsTotal = 1;
    state.enter(from);
    UniqueFd fromFolder, toFolder;
    struct stat st;
    if (openBoth(state, from, to, toNative(source).endsWith('/'), toNative(target).endsWith('/'), fromFolder, toFolder,
                 st) != Outcome::Done)
        return true;
    const Place src{fromFolder.get(), bytepath::fileName(from), from};
    Place dst{toFolder.get(), bytepath::fileName(to), to};
    for (;;) {
        bool replace = false;
        struct stat existing;
        if (::fstatat(dst.folder, dst.name.constData(), &existing, AT_SYMLINK_NOFOLLOW) == 0) {
            if (sameFile(existing, st)) {
                // The same item: unchanged, or a change of letter case where
                // the file system ignores case.
                if (src.name != dst.name || bytepath::parent(from) != bytepath::parent(to))
                    ::renameat(src.folder, src.name.constData(), dst.folder, dst.name.constData());
                ++state.itemsDone;
                return true;
            }
            const Taken taken = whenTaken(state, src, dst, st);
            if (taken == Taken::Again)
                continue;
            if (taken == Taken::Finished)
                return true;
            replace = taken == Taken::Replace;
        }
        const int renamed = replace
                                ? ::renameat(src.folder, src.name.constData(), dst.folder, dst.name.constData())
                                : renameNoReplace(src.folder, src.name.constData(), dst.folder, dst.name.constData());
        if (renamed == 0) {
            state.notePlaced(from, dst.path);
            ++state.itemsDone;
            return true;
        }
        const int code = errno;
        if (code == EEXIST)
            continue;
        if (code == EXDEV) {
            // The new path is on another volume: a move that keeps the source until its copy is whole.
            state.counted = false;
            TransferJob(state, true).transferTree(src, dst);
            return true;
        }
        if (state.ask(src.path, code) != Choice::Retry)
            return true;
    }
}

} // namespace quil::fileop
