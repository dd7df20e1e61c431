#pragma once

#include "platform/FolderChild.h"
#include "platform/ShellNamespace.h"

#include <cstddef>

namespace quil {

// Takes the children of a folder one at a time, for a caller that keeps them
// in a form of its own instead of a list of FolderChild.
class ChildSink
{
public:
    virtual ~ChildSink() = default;
    // Told once before the children: their number and the bytes of all
    // their names (0 when not counted).
    virtual void expect(size_t count, size_t nameBytes) = 0;
    // One child; the sink may take its contents.
    virtual void take(FolderChild &child) = 0;
};

struct ReadingProgress;

// ShellNamespace::enumerate, the children handed to sink instead of
// returned; the same order, flags and errors. With a progress, the count of
// names read grows as it goes, and a stop request ends the reading early
// with no child handed over.
void enumerateInto(const ItemId &folder, ShellNamespace::EnumerateFlags flags, ChildSink &sink,
                   ReadingProgress *progress = nullptr);

} // namespace quil
