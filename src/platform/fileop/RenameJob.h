#pragma once

#include <QString>

namespace quil::fileop {

struct OperationState;

// Renames one item to a new full path; onto another volume it becomes a move
// that keeps the source until its copy is whole.
bool runRename(OperationState &state, const QString &source, const QString &target);

} // namespace quil::fileop
