#pragma once

#include <gio/gio.h>

namespace quil::fileop {

struct OperationState;

// Copies one item through GIO under a temporary name beside destination,
// checks a regular file's written size against info's, and only then
// renames it over the final name (replacing an existing item only when
// replace is set), so that a final name never holds half a file. Its bytes
// count into the operation's progress, and are taken back when it fails,
// with nothing left behind. Safe on several threads at once.
bool copyIntoPlace(OperationState &state, GCancellable *cancellable, GFile *source, GFileInfo *info, GFile *destination,
                   bool replace, GError **error);

} // namespace quil::fileop
