#pragma once

#include "platform/FindData.h"
#include "platform/ItemId.h"

#include <optional>

namespace quil {

// One item of a folder as ShellNamespace::enumerate returns it: cheap to
// make, the details only when they were asked for.
struct FolderChild
{
    ItemId id;
    QString name;          // display name, normal form
    bool isFolder = false; // a folder, a link to one, or a virtual folder
    bool isLink = false;
    // False for a link (or an entry of unknown type) whose target was not
    // examined: isFolder is not known yet (ShellNamespace::resolve settles it).
    bool resolved = true;
    // A fixed place before the name order: volumes keep the computer
    // folder's order, the desktop keeps home before the computer folder.
    int order = 0;
    // A FIFO, socket or device itself (not a link to one): its type text is
    // its kind, not the type its name suggests.
    bool isSpecial = false;
    // Filled by enumerate with ReadDetails; otherwise ask findData.
    std::optional<FindData> details;
};

} // namespace quil
