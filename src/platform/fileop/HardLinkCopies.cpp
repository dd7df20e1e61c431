#include "platform/fileop/HardLinkCopies.h"

namespace quil::fileop {

void HardLinkCopies::noteCopied(const struct stat &source, const QByteArray &copyPath)
{
    struct stat copy;
    if (source.st_nlink < 2 || ::lstat(copyPath.constData(), &copy) != 0)
        return;
    m_copies[{source.st_dev, source.st_ino}] = Copy{source, copyPath, copy.st_dev, copy.st_ino, source.st_nlink - 1};
}

QByteArray HardLinkCopies::copyOf(const struct stat &source) const
{
    const auto found = m_copies.find({source.st_dev, source.st_ino});
    if (found == m_copies.end())
        return {};
    const Copy &copy = found->second;
    const auto same = [](const timespec &a, const timespec &b) {
        return a.tv_sec == b.tv_sec && a.tv_nsec == b.tv_nsec;
    };
    // The change time is not compared: a move that deleted the source's
    // first name changed it.
    if ((source.st_mode & S_IFMT) != (copy.source.st_mode & S_IFMT) || source.st_size != copy.source.st_size ||
        !same(source.st_mtim, copy.source.st_mtim))
        return {};
    struct stat now;
    if (::lstat(copy.path.constData(), &now) != 0 || now.st_dev != copy.device || now.st_ino != copy.inode)
        return {};
    return copy.path;
}

void HardLinkCopies::noteLinked(const struct stat &source)
{
    const auto found = m_copies.find({source.st_dev, source.st_ino});
    if (found != m_copies.end() && --found->second.namesLeft == 0)
        m_copies.erase(found);
}

} // namespace quil::fileop
