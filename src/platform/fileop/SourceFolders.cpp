#include "platform/fileop/SourceFolders.h"

#include "platform/fileop/FileOperationCalls.h"

#include <algorithm>
#include <cerrno>

namespace quil::fileop {

namespace {

// Sources usually come from one folder; a few more cover the rest cheaply.
constexpr std::size_t kOpenFolders = 8;

} // namespace

int SourceFolders::open(const QByteArray &path)
{
    ++m_uses;
    const auto known =
        std::find_if(m_folders.begin(), m_folders.end(), [&](const Folder &f) { return f.path == path; });
    if (known != m_folders.end() && known->fd.valid()) {
        known->lastUse = m_uses;
        return known->fd.get();
    }
    std::size_t open = 0;
    for (const Folder &f : m_folders)
        open += f.fd.valid();
    if (open >= kOpenFolders) {
        Folder *oldest = nullptr;
        for (Folder &f : m_folders)
            if (f.fd.valid() && (!oldest || f.lastUse < oldest->lastUse))
                oldest = &f;
        oldest->fd.reset();
    }
    UniqueFd fd(openFolder(path));
    struct stat st;
    if (!fd.valid())
        return -1;
    if (::fstat(fd.get(), &st) != 0)
        return -1;
    if (known != m_folders.end()) {
        if (!sameFile(st, known->identity)) {
            errno = ESTALE;
            return -1;
        }
        known->fd = std::move(fd);
        known->lastUse = m_uses;
        return known->fd.get();
    }
    m_folders.push_back(Folder{path, std::move(fd), st, m_uses});
    return m_folders.back().fd.get();
}

} // namespace quil::fileop
