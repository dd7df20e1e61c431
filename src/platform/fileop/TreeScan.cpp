#include "platform/fileop/TreeScan.h"

#include "platform/fileop/FileOperationCalls.h"
#include "platform/fileop/WalkFolder.h"

#include <QList>

#include <vector>

namespace quil::fileop {

namespace {

struct ScanFrame
{
    WalkFolder folder;
    QList<QByteArray> names;
    qsizetype next = 0;

    void release() { folder.release(); }
    int reopenAbove(const ScanFrame &child) { return folder.reopenAbove(child.folder); }
};

// Opens and lists a folder onto the stack; an unreadable one is passed over.
void push(std::vector<ScanFrame> &stack, int parent, const QByteArray &name)
{
    ScanFrame frame;
    if (frame.folder.open(parent, name) != 0 || listFolder(frame.folder.get(), frame.names) != 0)
        return;
    stack.push_back(std::move(frame));
    releaseShallowLevels(stack);
}

} // namespace

bool scanTree(int parent, const QByteArray &name, const std::function<bool(const struct stat &)> &visit,
              const std::stop_token &cancel)
{
    std::vector<ScanFrame> stack;
    const auto look = [&](int folder, const QByteArray &item) {
        struct stat st;
        if (::fstatat(folder, item.constData(), &st, AT_SYMLINK_NOFOLLOW) != 0)
            return true;
        if (!visit(st))
            return false;
        if (S_ISDIR(st.st_mode))
            push(stack, folder, item);
        return true;
    };
    if (!look(parent, name))
        return false;
    while (!stack.empty()) {
        if (cancel.stop_requested())
            return false;
        ScanFrame &top = stack.back();
        if (top.next < top.names.size()) {
            const QByteArray item = top.names.at(top.next++);
            if (!look(top.folder.get(), item))
                return false;
            continue;
        }
        // A level that cannot be opened again ends the walk of what is left above it.
        if (reopenParentLevel(stack) != 0)
            return true;
        stack.pop_back();
    }
    return true;
}

} // namespace quil::fileop
