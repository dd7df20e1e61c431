#pragma once

#include <sched.h>
#include <sys/mount.h>

// Gives the test process a mount namespace of its own, before any thread
// starts: the main window's volume monitor then sees neither the tmpfs
// mounts of tests running beside it (which would re-list its folder in the
// middle of a test) nor they its own. Where this is refused (no privilege)
// the process stays in the shared namespace; returns whether it moved.
inline bool usePrivateMounts()
{
    if (::unshare(CLONE_NEWNS) != 0)
        return false;
    // Mounts must not propagate between the namespaces in either direction.
    return ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0;
}
