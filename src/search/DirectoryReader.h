#pragma once

#include <QByteArrayView>
#include <vector>

namespace quil {

// Reads the entries of one folder at a time straight from the kernel
// (getdents64) into a buffer kept across folders, so a walk allocates nothing
// per folder or per entry. "." and ".." are never returned. Not copyable.
class DirectoryReader
{
public:
    enum class Type { Directory, File, Link, Special };

    struct Entry
    {
        const char *name = nullptr; // NUL-terminated, valid until the next call of next()
        qsizetype length = 0;
        Type type = Type::File;
    };

    DirectoryReader();
    ~DirectoryReader();
    DirectoryReader(const DirectoryReader &) = delete;
    DirectoryReader &operator=(const DirectoryReader &) = delete;

    // Opens a folder by its native path (closing the previous one); false when
    // it is no folder or cannot be read. A link to a folder is opened only
    // when followLink is set.
    bool open(const char *path, bool followLink = false);
    void close();
    // The next entry, or false at the end or on a read error. Entries come in
    // the order the file system returns them; a type the file system does not
    // report is asked for with one fstatat (links not followed).
    bool next(Entry &entry);
    // The open folder, for openat/fstatat on its entries; -1 when none is open.
    int fd() const { return m_fd; }

private:
    int m_fd = -1;
    std::vector<char> m_buffer;
    long m_filled = 0;
    long m_offset = 0;
};

} // namespace quil
