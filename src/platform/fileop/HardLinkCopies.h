#pragma once

#include <QByteArray>

#include <map>
#include <sys/stat.h>
#include <utility>

namespace quil::fileop {

// The copies made of files that have more than one name, so that another name
// of such a file met later in the same operation becomes a name of its copy
// instead of a copy of its own, as cp -a keeps hard links.
class HardLinkCopies
{
public:
    // Records the copy at copyPath of source (a file with other names).
    void noteCopied(const struct stat &source, const QByteArray &copyPath);
    // The path of the copy already made of source, while it still is that
    // copy and the source has not changed since; empty when there is none.
    QByteArray copyOf(const struct stat &source) const;
    // Another name of source was linked to its copy.
    void noteLinked(const struct stat &source);

private:
    struct Copy
    {
        struct stat source;
        QByteArray path;
        dev_t device;
        ino_t inode;
        nlink_t namesLeft; // the source's names not yet met
    };
    std::map<std::pair<dev_t, ino_t>, Copy> m_copies;
};

} // namespace quil::fileop
