#include "platform/fileop/DeleteJob.h"

#include "platform/BytePath.h"
#include "platform/NativePath.h"
#include "platform/UniqueFd.h"
#include "platform/fileop/GioTrash.h"
#include "platform/fileop/OperationState.h"
#include "platform/fileop/TreeScan.h"
#include "platform/fileop/WalkFolder.h"

#include <cerrno>
#include <optional>
#include <vector>

namespace quil::fileop {

namespace {

using Choice = OperationState::Choice;

struct DeleteFrame
{
    WalkFolder folder;
    QList<QByteArray> names;
    qsizetype next = 0;
    QByteArray name; // in the parent folder
    qsizetype pathRestore = 0;
    bool allDone = true;
    Outcome result = Outcome::Done;

    void release() { folder.release(); }
    int reopenAbove(const DeleteFrame &child) { return folder.reopenAbove(child.folder); }
};

} // namespace

bool DeleteJob::run(const QStringList &sources)
{
    struct Item
    {
        QByteArray path;
        bool mustBeFolder; // written with a trailing "/"
    };
    std::vector<Item> items;
    for (const QString &source : sources) {
        const QByteArray written = toNative(source);
        const QByteArray path = bytepath::stripTrailingSlashes(written);
        const int parent = isBadPath(path) ? -1 : m_folders.open(bytepath::parent(path));
        bool seen = false;
        if (parent >= 0)
            scanTree(
                parent, bytepath::fileName(path),
                [&](const struct stat &) {
                    seen = true;
                    ++m_state.itemsTotal;
                    return true;
                },
                m_state.cancelToken());
        if (!seen)
            ++m_state.itemsTotal;
        items.push_back(Item{path, written.endsWith('/')});
    }
    for (const Item &item : items) {
        if (m_state.cancelled())
            break;
        const QByteArray &path = item.path;
        if (isBadPath(path)) {
            m_state.enter(path);
            if (m_state.ask(path, EINVAL) == Choice::Cancel)
                break;
            continue;
        }
        const QByteArray name = bytepath::fileName(path);
        int parent = -1;
        const Outcome opened = m_state.attempt(path, [&] {
            parent = m_folders.open(bytepath::parent(path));
            if (parent < 0)
                return errno;
            return item.mustBeFolder ? checkFolderName(parent, name) : 0;
        });
        if (opened != Outcome::Done) {
            if (m_state.cancelled())
                break;
            continue;
        }
        if (removeTree(Place{parent, name, path}) == Outcome::Cancelled)
            break;
    }
    return true;
}

// Removes the item and, for a folder, everything in it, depth first without
// recursion. What could not be deleted has been reported; its folder keeps it.
Outcome DeleteJob::removeTree(const Place &root)
{
    std::vector<DeleteFrame> stack;
    QByteArray path; // of the folder on top
    const auto removeName = [&](int folder, const QByteArray &name, const QByteArray &shown, bool isFolder) {
        const Outcome outcome = m_state.attempt(
            shown, [&] { return ::unlinkat(folder, name.constData(), isFolder ? AT_REMOVEDIR : 0) == 0 ? 0 : errno; });
        ++m_state.itemsDone;
        return outcome;
    };
    // Removes a file at once; a folder is opened and pushed (nullopt).
    const auto visit = [&](const Place &place) -> std::optional<Outcome> {
        if (m_state.cancelled())
            return Outcome::Cancelled;
        struct stat st;
        const Outcome entered = m_state.enterItem(place, st);
        if (entered != Outcome::Done)
            return entered;
        if (!S_ISDIR(st.st_mode))
            return removeName(place.folder, place.name, place.path, false);
        DeleteFrame frame;
        const Outcome opened = m_state.attempt(place.path, [&] {
            const int code = frame.folder.open(place.folder, place.name);
            frame.names.clear();
            return code != 0 ? code : listFolder(frame.folder.get(), frame.names);
        });
        if (opened != Outcome::Done)
            return opened;
        frame.name = place.name;
        frame.pathRestore = path.size();
        path = place.path;
        stack.push_back(std::move(frame));
        releaseShallowLevels(stack);
        return std::nullopt;
    };

    if (const std::optional<Outcome> first = visit(root))
        return *first;
    for (;;) {
        DeleteFrame &top = stack.back();
        if (top.result != Outcome::Cancelled && top.next < top.names.size()) {
            const QByteArray name = top.names.at(top.next++);
            const std::optional<Outcome> child = visit(Place{top.folder.get(), name, bytepath::join(path, name)});
            if (child && *child == Outcome::Cancelled)
                top.result = Outcome::Cancelled;
            else if (child && *child != Outcome::Done)
                top.allDone = false;
            continue;
        }
        if (const int code = reopenParentLevel(stack); code != 0) {
            m_state.ask(path, code);
            m_state.stop();
            return Outcome::Cancelled;
        }
        const int parent = stack.size() == 1 ? root.folder : stack[stack.size() - 2].folder.get();
        Outcome done = top.result;
        if (done == Outcome::Done && !top.allDone) {
            ++m_state.itemsDone;
            done = Outcome::Skipped;
        } else if (done == Outcome::Done) {
            done = removeName(parent, top.name, path, true);
        }
        path.truncate(top.pathRestore);
        stack.pop_back();
        if (stack.empty())
            return done;
        if (done == Outcome::Cancelled)
            stack.back().result = Outcome::Cancelled;
        else if (done != Outcome::Done)
            stack.back().allDone = false;
    }
}

bool runTrash(OperationState &state, const QStringList &sources)
{
    state.itemsTotal = int(sources.size());
    for (const QString &source : sources) {
        if (state.cancelled())
            break;
        const QByteArray written = toNative(source);
        const QByteArray path = bytepath::stripTrailingSlashes(written);
        state.enter(path);
        for (;;) {
            if (isBadPath(path)) {
                if (state.ask(path, EINVAL) == Choice::Retry)
                    continue;
                break;
            }
            if (written.endsWith('/')) {
                const UniqueFd parent(openFolder(bytepath::parent(path)));
                const int code = parent.valid() ? checkFolderName(parent.get(), bytepath::fileName(path)) : errno;
                if (code != 0) {
                    if (state.ask(path, code) == Choice::Retry)
                        continue;
                    break;
                }
            }
            struct stat before;
            const bool seen = ::lstat(path.constData(), &before) == 0;
            std::optional<TrashEntry> entry;
            const QString reason = moveToTrash(path, &entry, seen ? &before : nullptr);
            if (reason.isEmpty()) {
                state.notePlaced(path, entry ? entry->file : QByteArray(), seen ? &before : nullptr);
                break;
            }
            if (state.ask(path, reason, EIO) != Choice::Retry)
                break;
        }
        ++state.itemsDone;
    }
    return true;
}

} // namespace quil::fileop
