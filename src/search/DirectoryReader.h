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
    // when followLink is set. Paths longer than PATH_MAX are opened in pieces.
    bool open(const char *path, bool followLink = false);
    void close();
    // The next entry, or false at the end or on a read error. Entries come in
    // the order the file system returns them; a type the file system does not
    // report is asked for with one fstatat (links not followed).
    bool next(Entry &entry);
    // Whether the reading of the open folder stopped on an error.
    bool failed() const { return m_failed; }
    // The open folder, for openat/fstatat on its entries; -1 when none is open.
    int fd() const { return m_fd; }
    // From now until close(), next() returns the entries of a listing taken
    // earlier (FolderListingCache) instead of reading the folder; the open
    // folder, if any, stays open for fd(). The bytes must outlive the replay.
    void replay(QByteArrayView recorded);

private:
    bool nextRecorded(Entry &entry);

    int m_fd = -1;
    bool m_replaying = false;
    bool m_failed = false;
    QByteArrayView m_recorded;
    std::vector<char> m_buffer;
    long m_filled = 0;
    long m_offset = 0;
};

} // namespace quil
