#pragma once

#include "platform/fileop/FileOperationCalls.h"

namespace quil::fileop {

struct OperationState;

// Renames fromName in fromFolder over dst, which it replaces. With undo
// allowed, a replaced item that is no folder goes to the trash first (a
// rename there), so that the undo can bring it back; where it cannot be
// trashed it is replaced for good. Either way it is reported once the rename
// is done; when the rename fails, a trashed item is put back. 0 or errno.
int renameOver(OperationState &state, int fromFolder, const QByteArray &fromName, const Place &dst);

} // namespace quil::fileop
