// Copy and move.
//
// What happens, in order:
//  1. The target is opened: a folder to put the sources into; with one source
//     and no trailing "/", the new path of that source; with several sources
//     a folder that is created if missing (one level).
//  2. Every source is looked at before anything changes: a folder copied or
//     moved into itself, or into a folder inside it (also through another
//     mount of the same file system, such as a bind mount), is refused.
//  3. The totals are counted on a thread of their own while the work runs.
//  4. Each source is walked depth first, without recursion: a move inside one
//     file system is a single rename; otherwise folders are made (or merged
//     into existing ones) and every other item is copied by LeafCopy, under a
//     temporary or unnamed name, getting its final name only once whole. In
//     a folder the copy made, the regular files go first, two at a time
//     (FreshFileCopies). The names of a file with several names become
//     names of one copy, as cp -a keeps them.
//  5. Before a move removes a source: its copy is whole, synced and named,
//     and the source's name still refers to the file that was copied; a
//     source folder goes only once everything in it has gone.
#include "platform/fileop/TransferJob.h"

#include "platform/BytePath.h"
#include "platform/Dialogs.h"
#include "platform/NativePath.h"
#include "platform/fileop/ExtendedAttributes.h"
#include "platform/fileop/FileOperation.h"
#include "platform/fileop/OperationState.h"
#include "platform/fileop/ReplacedItem.h"
#include "platform/fileop/SourceFolders.h"
#include "platform/fileop/TreeScan.h"

#include <cerrno>
#include <stop_token>
#include <thread>

namespace quil::fileop {

using Choice = OperationState::Choice;

struct TransferJob::Source
{
    QByteArray path;
    QByteArray folder; // the path of the folder it lies in
    QByteArray name;
    bool counted = true;
    bool mustBeFolder = false; // written with a trailing "/"
};

// A folder being transferred: its source and target, opened, and the names
// still to go.
struct TransferJob::FolderFrame
{
    WalkFolder in, out;
    QList<QByteArray> names;
    QList<bool> regular; // for each name, whether the folder says it is a regular file
    qsizetype next = 0;
    QByteArray srcName, dstName; // in the parent folders
    qsizetype srcRestore = 0, dstRestore = 0;
    struct stat st = {};
    bool created = false;
    FolderTraits traits; // of the target folder
    bool allDone = true;
    bool filesFirstDone = false; // see copyFreshFiles
    Outcome result = Outcome::Done;

    void release()
    {
        in.release();
        out.release();
    }
    int reopenAbove(const FolderFrame &child)
    {
        const int code = in.reopenAbove(child.in);
        return code != 0 ? code : out.reopenAbove(child.out);
    }
};

bool TransferJob::run(const QStringList &sources, const QString &target)
{
    const QByteArray nativeTarget = toNative(target);
    const QByteArray targetPath = bytepath::stripTrailingSlashes(nativeTarget);
    if (targetPath.isEmpty()) {
        m_state.noteError(EINVAL);
        return false;
    }
    // A target written with a trailing "/" is a folder, never a new file name.
    if (!openTarget(targetPath, nativeTarget.endsWith('/'), sources.size() == 1))
        return false;
    std::vector<Source> items;
    if (!lookAtSources(sources, items))
        return false;

    // The totals are counted beside the work, through folders of their own.
    std::vector<std::pair<QByteArray, QByteArray>> toCount;
    for (const Source &item : items) {
        if (item.counted && !isBadPath(item.path))
            toCount.emplace_back(item.folder, item.name);
        else
            ++m_state.itemsTotal;
    }
    // Joined when the work below is over, however it ends.
    const std::jthread counter([this, toCount = std::move(toCount)] {
        SourceFolders folders;
        for (const auto &[folderPath, name] : toCount) {
            if (m_state.cancelled())
                break;
            bool seen = false;
            if (const int parent = folders.open(folderPath); parent >= 0)
                scanTree(
                    parent, name,
                    [&](const struct stat &st) {
                        seen = true;
                        ++m_state.itemsTotal;
                        if (S_ISREG(st.st_mode))
                            m_state.bytesTotal += bytesToCopy(st);
                        return true;
                    },
                    m_state.cancelToken());
            if (!seen)
                ++m_state.itemsTotal;
        }
    });

    for (Source &item : items) {
        if (m_state.cancelled())
            break;
        if (isBadPath(item.path)) {
            m_state.enter(item.path);
            if (m_state.ask(item.path, EINVAL) == Choice::Cancel)
                break;
            continue;
        }
        int parent = -1;
        const Outcome opened = m_state.attempt(item.path, [&] {
            parent = m_sourceFolders.open(item.folder);
            if (parent < 0)
                return errno;
            return item.mustBeFolder ? checkFolderName(parent, item.name) : 0;
        });
        if (opened != Outcome::Done) {
            if (m_state.cancelled())
                break;
            continue;
        }
        m_state.counted = item.counted;
        const QByteArray name = m_newName.isEmpty() ? item.name : m_newName;
        const Place src{parent, item.name, item.path};
        const Place dst{m_destination.get(), name, bytepath::join(m_destinationPath, name), m_destinationTraits};
        if (transferTree(src, dst) == Outcome::Cancelled)
            break;
    }
    return true;
}

bool TransferJob::openTarget(const QByteArray &targetPath, bool folderTarget, bool single)
{
    m_destinationPath = targetPath;
    const Outcome opened = m_state.attempt(targetPath, [&]() -> int {
        if (targetPath.contains('\0'))
            return EINVAL;
        m_destination = UniqueFd(openFolder(targetPath));
        if (m_destination.valid())
            return 0;
        const int code = errno;
        if ((code == ENOENT || code == ENOTDIR) && single && !folderTarget) {
            m_destinationPath = bytepath::parent(targetPath);
            m_newName = bytepath::fileName(targetPath);
            if (bytepath::isBadName(m_newName))
                return EINVAL;
            m_destination = UniqueFd(openFolder(m_destinationPath));
            return m_destination.valid() ? 0 : errno;
        }
        if (code != ENOENT)
            return code;
        // Sources into a folder that is not there yet: it is created (one level).
        UniqueFd parent(openFolder(bytepath::parent(targetPath)));
        if (!parent.valid())
            return errno;
        if (::mkdirat(parent.get(), bytepath::fileName(targetPath).constData(), 0777) != 0 && errno != EEXIST)
            return errno;
        m_destination = UniqueFd(openFolder(targetPath));
        return m_destination.valid() ? 0 : errno;
    });
    if (opened != Outcome::Done)
        return false;
    if (::fstat(m_destination.get(), &m_destinationStat) != 0) {
        m_state.noteError(errno);
        return false;
    }
    m_destinationTraits = FolderTraits::of(m_destination.get());
    return true;
}

bool TransferJob::lookAtSources(const QStringList &sources, std::vector<Source> &items)
{
    for (const QString &source : sources) {
        Source item;
        const QByteArray written = toNative(source);
        item.path = bytepath::stripTrailingSlashes(written);
        item.folder = bytepath::parent(item.path);
        item.name = bytepath::fileName(item.path);
        item.mustBeFolder = written.endsWith('/');
        const int parent = isBadPath(item.path) ? -1 : m_sourceFolders.open(item.folder);
        struct stat st;
        if (parent >= 0 && ::fstatat(parent, item.name.constData(), &st, AT_SYMLINK_NOFOLLOW) == 0) {
            if (S_ISDIR(st.st_mode) && intoItself(parent, item.name, st)) {
                m_state.refuseIntoItself(item.name, m_move);
                m_state.noteError(EINVAL);
                return false;
            }
            // A move inside one file system renames and needs no walk.
            item.counted = !m_move || st.st_dev != m_destinationStat.st_dev;
        }
        items.push_back(std::move(item));
    }
    return true;
}

// Whether the target folder is the folder or lies inside it: its parents are
// compared up to the root; where the two lie on different mounts of one file
// system, the folder's tree is searched for the target as well.
bool TransferJob::intoItself(int parent, const QByteArray &name, const struct stat &st)
{
    UniqueFd at(::openat(m_destination.get(), ".", kDirFlags));
    struct stat here = m_destinationStat;
    for (int depth = 0; at.valid() && depth < 1000000; ++depth) {
        if (sameFile(here, st))
            return true;
        UniqueFd up(::openat(at.get(), "..", kDirFlags));
        struct stat above;
        if (!up.valid() || ::fstat(up.get(), &above) != 0 || sameFile(above, here))
            break;
        at = std::move(up);
        here = above;
    }
    if (st.st_dev != m_destinationStat.st_dev)
        return false;
    const quint64 sourceMount = mountIdOf(parent, name);
    const quint64 targetMount = mountIdOf(m_destination.get(), ".");
    if (sourceMount == targetMount)
        return false;
    // A token without a source: never stopped.
    return !scanTree(
        parent, name,
        [&](const struct stat &item) { return !S_ISDIR(item.st_mode) || !sameFile(item, m_destinationStat); },
        std::stop_token());
}

Outcome TransferJob::transferTree(const Place &src, const Place &dst)
{
    m_srcRoot = src.folder;
    m_dstRoot = dst.folder;
    if (!m_destination.valid() && ::fstat(dst.folder, &m_destinationStat) != 0)
        m_destinationStat = {};
    m_srcPath.clear();
    m_dstPath.clear();
    Stack stack;
    const std::optional<Outcome> first = transferItem(src, dst, false, stack);
    if (first)
        return *first;
    for (;;) {
        FolderFrame &top = stack.back();
        if (!top.filesFirstDone) {
            top.filesFirstDone = true;
            if (top.created && !m_move && top.result != Outcome::Cancelled)
                copyFreshFiles(top, int(stack.size()));
        }
        if (top.result != Outcome::Cancelled && top.next < top.names.size()) {
            const qsizetype at = top.next++;
            const QByteArray name = top.names.at(at);
            const Place childSrc{top.in.get(), name, bytepath::join(m_srcPath, name)};
            const Place childDst{top.out.get(), name, bytepath::join(m_dstPath, name), top.traits};
            const std::optional<Outcome> child =
                transferItem(childSrc, childDst, top.created, stack, top.regular.value(at));
            if (child && *child == Outcome::Cancelled)
                top.result = Outcome::Cancelled;
            else if (child && *child == Outcome::Skipped)
                top.allDone = false;
            continue;
        }
        const int reopened = reopenParentLevel(stack);
        if (reopened != 0) {
            // The tree was moved away under the walk: what is left is not touched.
            m_state.ask(m_srcPath, reopened);
            m_state.stop();
            return Outcome::Cancelled;
        }
        const bool outermost = stack.size() == 1;
        const int srcParent = outermost ? m_srcRoot : stack[stack.size() - 2].in.get();
        const int dstParent = outermost ? m_dstRoot : stack[stack.size() - 2].out.get();
        const Outcome done = finishFolder(top, srcParent, dstParent, int(stack.size()) - 1);
        m_srcPath.truncate(top.srcRestore);
        m_dstPath.truncate(top.dstRestore);
        stack.pop_back();
        if (stack.empty())
            return done;
        if (done == Outcome::Cancelled)
            stack.back().result = Outcome::Cancelled;
        else if (done == Outcome::Skipped)
            stack.back().allDone = false;
    }
}

// The regular files of a folder this copy made go first, two at a time; the
// walk then goes on with what is left (folders, links, special files, and any
// file whose copy failed, which is copied again with its questions).
void TransferJob::copyFreshFiles(FolderFrame &frame, int depth)
{
    QList<QByteArray> files;
    for (qsizetype i = 0; i < frame.names.size(); ++i)
        if (frame.regular.value(i))
            files.append(frame.names.at(i));
    if (!FreshFileCopies::worthIt(files.size()))
        return;
    std::vector<bool> copied;
    if (m_freshCopies.copy(m_leaf, frame.in.get(), m_srcPath, frame.out.get(), m_dstPath, frame.traits, files, depth,
                           copied) == Outcome::Cancelled)
        frame.result = Outcome::Cancelled;
    QList<QByteArray> names;
    QList<bool> regular;
    qsizetype file = 0;
    for (qsizetype i = 0; i < frame.names.size(); ++i) {
        const bool isFile = frame.regular.value(i);
        if (isFile && copied[size_t(file++)])
            continue;
        names.append(frame.names.at(i));
        regular.append(isFile);
    }
    frame.names = std::move(names);
    frame.regular = std::move(regular);
}

std::optional<Outcome> TransferJob::transferItem(const Place &src, Place dst, bool freshParent, Stack &stack,
                                                 bool regular)
{
    if (m_state.cancelled())
        return Outcome::Cancelled;
    const int depth = int(stack.size());
    m_state.enter(src.path);
    // A regular file copied into a folder this copy made has no name to
    // collide with; opening it tells all the name would, one call sooner.
    if (regular && freshParent && !m_move)
        if (const std::optional<Outcome> done = m_leaf.copyRegular(src, dst, depth))
            return done;
    struct stat st;
    const Outcome entered = m_state.lookAt(src, st);
    if (entered != Outcome::Done)
        return entered;
    const bool isFolder = S_ISDIR(st.st_mode);

    for (;;) {
        bool replace = false;
        bool merge = false;
        struct stat existing;
        if (!freshParent && ::fstatat(dst.folder, dst.name.constData(), &existing, AT_SYMLINK_NOFOLLOW) == 0) {
            Outcome outcome = Outcome::Done;
            const Collision next = resolveCollision(src, dst, st, existing, depth, replace, merge, outcome);
            if (next == Collision::Retry)
                continue;
            if (next == Collision::Finished)
                return outcome;
        }

        if (m_move && !merge) {
            int code = 0;
            struct stat target;
            if (!replace)
                code = renameNoReplace(src.folder, src.name.constData(), dst.folder, dst.name.constData()) == 0 ? 0
                                                                                                                : errno;
            else if (::fstat(dst.folder, &target) == 0 && target.st_dev != st.st_dev)
                code = EXDEV; // known without setting the replaced item aside first
            else
                code = renameOver(m_state, src.folder, src.name, dst);
            if (code == 0) {
                m_state.notePlaced(src.path, dst.path);
                m_state.itemDone(depth);
                return Outcome::Done;
            }
            if (code == EEXIST) {
                freshParent = false; // appeared meanwhile: ask again
                continue;
            }
            if (code != EXDEV) {
                const Choice choice = m_state.ask(src.path, code);
                if (choice == Choice::Retry)
                    continue;
                return OperationState::outcomeOf(choice);
            }
            // Another file system: copy, then delete the source.
        }
        if (isFolder)
            return enterFolder(src, dst, st, merge, stack);
        return m_leaf.run(src, dst, st, m_move, replace, depth);
    }
}

// An item whose target name is taken: replaced, merged (folders), given a
// name of its own, refused, or already there.
TransferJob::Collision TransferJob::resolveCollision(const Place &src, Place &dst, const struct stat &st,
                                                     const struct stat &existing, int depth, bool &replace, bool &merge,
                                                     Outcome &outcome)
{
    const bool isFolder = S_ISDIR(st.st_mode);
    const auto asked = [&](Choice choice) {
        outcome = OperationState::outcomeOf(choice);
        return choice == Choice::Retry ? Collision::Retry : Collision::Finished;
    };
    if (sameFile(existing, st)) {
        struct stat srcFolder, dstFolder;
        const bool sameEntry = ::fstat(src.folder, &srcFolder) == 0 && ::fstat(dst.folder, &dstFolder) == 0 &&
                               sameFile(srcFolder, dstFolder) && src.name == dst.name;
        if (!sameEntry || m_move) {
            // Already there: the same entry, or another hard link of the same
            // file, whose content the target keeps.
            if (m_move && !sameEntry && !isFolder) {
                outcome = m_state.attempt(
                    src.path, [&] { return ::unlinkat(src.folder, src.name.constData(), 0) == 0 ? 0 : errno; });
                return Collision::Finished;
            }
            m_state.itemDone(depth);
            outcome = Outcome::Done;
            return Collision::Finished;
        }
        // A copy into its own folder gets a name of its own.
        const int code = m_state.freeName(dst, isFolder);
        return code == 0 ? Collision::Proceed : asked(m_state.ask(dst.path, code));
    }
    if (resolveToSameFile(src.folder, src.name, dst.folder, dst.name)) {
        // A link and the file it leads to: refused, as cp and mv do.
        return asked(m_state.ask(dst.path, sameFileText(), EINVAL));
    }
    if (m_state.flags & FOF_RENAMEONCOLLISION) {
        const int code = m_state.freeName(dst, isFolder);
        return code == 0 ? Collision::Proceed : asked(m_state.ask(dst.path, code));
    }
    if (isFolder && S_ISDIR(existing.st_mode)) {
        merge = true; // folders are merged; the files in them are asked about one by one
        return Collision::Proceed;
    }
    outcome = m_state.askReplace(src.path, dst.path);
    if (outcome != Outcome::Done)
        return Collision::Finished;
    // Replacing a folder by a file, or a file by a folder, would destroy what
    // the replaced one holds: refused.
    if (isFolder != S_ISDIR(existing.st_mode))
        return asked(m_state.ask(dst.path, isFolder ? ENOTDIR : EISDIR));
    replace = true;
    return Collision::Proceed;
}

// Makes (or merges into) the target folder and pushes the folder's walk.
std::optional<Outcome> TransferJob::enterFolder(const Place &src, const Place &dst, const struct stat &st, bool merge,
                                                Stack &stack)
{
    // The source holds the target folder (reached through another mount):
    // copying on would copy the copy again.
    if (sameFile(st, m_destinationStat)) {
        m_state.refuseIntoItself(src.name, m_move);
        m_state.noteError(EINVAL);
        m_state.stop();
        return Outcome::Cancelled;
    }
    FolderFrame frame;
    frame.st = st;
    frame.srcName = src.name;
    frame.dstName = dst.name;
    if (!merge) {
        const Outcome made = m_state.attempt(dst.path, [&] {
            if (::mkdirat(dst.folder, dst.name.constData(), 0700) == 0) {
                frame.created = true;
                return 0;
            }
            struct stat existing;
            if (errno == EEXIST && ::fstatat(dst.folder, dst.name.constData(), &existing, 0) == 0 &&
                S_ISDIR(existing.st_mode))
                return 0; // appeared meanwhile: merged
            return errno;
        });
        if (made != Outcome::Done)
            return made;
    }
    Outcome result = m_state.attempt(src.path, [&] {
        const int code = frame.in.open(src.folder, src.name);
        frame.names.clear();
        frame.regular.clear();
        return code != 0 ? code : listFolder(frame.in.get(), frame.names, &frame.regular);
    });
    if (result == Outcome::Done)
        result = m_state.attempt(dst.path, [&] { return frame.out.open(dst.folder, dst.name); });
    if (result == Outcome::Done)
        frame.traits = FolderTraits::of(frame.out.get());
    if (result != Outcome::Done) {
        if (frame.created)
            ::unlinkat(dst.folder, dst.name.constData(), AT_REMOVEDIR);
        return result;
    }
    frame.srcRestore = m_srcPath.size();
    frame.dstRestore = m_dstPath.size();
    m_srcPath = src.path;
    m_dstPath = dst.path;
    stack.push_back(std::move(frame));
    releaseShallowLevels(stack);
    return std::nullopt;
}

// Ends a folder's walk: its permissions and times; for a move, the source
// folder goes once everything in it has moved.
Outcome TransferJob::finishFolder(FolderFrame &frame, int srcParent, int dstParent, int depth)
{
    Outcome result = frame.result;
    if (frame.created) {
        ::fchmod(frame.out.get(), frame.st.st_mode & 07777);
        copyExtendedAttributes(frame.in.get(), frame.out.get());
        const struct timespec times[2] = {frame.st.st_atim, frame.st.st_mtim};
        ::futimens(frame.out.get(), times);
        if (result == Outcome::Cancelled)
            ::unlinkat(dstParent, frame.dstName.constData(), AT_REMOVEDIR); // only when still empty
    }
    if (result == Outcome::Done && !frame.allDone)
        result = Outcome::Skipped;
    if (m_move && result == Outcome::Done) {
        ::fsync(frame.out.get());
        result = m_state.attempt(
            m_srcPath, [&] { return ::unlinkat(srcParent, frame.srcName.constData(), AT_REMOVEDIR) == 0 ? 0 : errno; });
    }
    if (frame.created && (!m_move || result == Outcome::Done))
        m_state.notePlaced(m_srcPath, m_dstPath);
    m_state.itemDone(depth);
    return result;
}

} // namespace quil::fileop
