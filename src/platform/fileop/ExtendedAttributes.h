#pragma once

namespace quil::fileop {

// Copies the extended attributes a user's copy keeps, as cp -a does: the
// user.* attributes and the POSIX ACLs (system.posix_acl_access and, for
// folders, system.posix_acl_default), from one open item to another. What
// the target's file system refuses is left out; nothing else depends on it.
// Cost: one call when the source has no attributes.
void copyExtendedAttributes(int from, int to);

// Whether an open folder may have a default ACL, which then decides the
// permissions of what is made in it instead of the umask; true also when
// that cannot be told. One call.
bool mayHaveDefaultAcl(int folder);

} // namespace quil::fileop
