#pragma once

#include <QString>
#include <QStringList>

namespace quil::fileop {

struct OperationState;

// Delete on GIO locations: to the location's trash where it has one (GIO's
// text says so where it has none), else for good, a folder with everything
// in it, deepest first (an item of the trash at once, with its content).
bool runGioRemoval(OperationState &state, const QStringList &sources, bool toTrash);

// Renames an item of a GIO location to the new full path (or URI) in its
// folder; an existing name is never replaced.
bool runGioRename(OperationState &state, const QString &source, const QString &target);

} // namespace quil::fileop
