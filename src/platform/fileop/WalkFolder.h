#pragma once

#include "platform/UniqueFd.h"

#include <QByteArray>

#include <cstddef>
#include <sys/stat.h>
#include <vector>

namespace quil::fileop {

// One open folder of a depth-first walk that runs without recursion. Only
// the deepest levels of such a walk keep their descriptors, so that a tree
// deeper than the descriptor limit can be walked: a level above them is
// opened again through ".." of the level below when the walk returns to it,
// and must still be the same folder.
class WalkFolder
{
public:
    // Opens the folder name in parent, never through a link. 0 or errno.
    int open(int parent, const QByteArray &name);
    // Takes an open folder (a descriptor of its own). 0 or errno.
    int adopt(int fd);
    int get() const { return m_fd.get(); }
    bool isOpen() const { return m_fd.valid(); }
    const struct stat &identity() const { return m_stat; }
    void release() { m_fd.reset(); }
    // Opens the folder again as the parent of child. 0, an errno, or ESTALE
    // when that parent is no longer this folder (the tree was moved).
    int reopenAbove(const WalkFolder &child);

private:
    UniqueFd m_fd;
    struct stat m_stat = {};
};

// Levels that keep their descriptors, each walk's frame holding up to two.
constexpr std::size_t kOpenLevels = 64;

// After a push: the level that has left the deepest kOpenLevels gives up its
// descriptors. Frame has release().
template <typename Frame> void releaseShallowLevels(std::vector<Frame> &stack)
{
    if (stack.size() > kOpenLevels)
        stack[stack.size() - 1 - kOpenLevels].release();
}

// Before a pop: the level the walk returns to is opened again if it gave its
// descriptors up. Frame has reopenAbove(const Frame &child) answering 0 or errno.
template <typename Frame> int reopenParentLevel(std::vector<Frame> &stack)
{
    if (stack.size() < 2)
        return 0;
    return stack[stack.size() - 2].reopenAbove(stack.back());
}

} // namespace quil::fileop
