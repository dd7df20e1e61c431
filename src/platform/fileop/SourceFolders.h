#pragma once

#include "platform/UniqueFd.h"

#include <QByteArray>

#include <sys/stat.h>
#include <vector>

namespace quil::fileop {

// The folders the sources of one operation lie in. Each is opened on first
// use and kept open while it is among the few used last, so that an
// operation holds a bounded number of descriptors however many sources it
// has (the sources of one folder share one). A folder closed meanwhile is
// opened again by its path and must still be the folder first opened.
class SourceFolders
{
public:
    // The open folder at path: a descriptor owned by this object, valid
    // until the next call; -1 with errno set (ESTALE when the path now leads
    // to another folder).
    int open(const QByteArray &path);

private:
    struct Folder
    {
        QByteArray path;
        UniqueFd fd;
        struct stat identity = {};
        unsigned long long lastUse = 0;
    };

    std::vector<Folder> m_folders;
    unsigned long long m_uses = 0;
};

} // namespace quil::fileop
