#pragma once

#include <QString>

namespace quil {

// Ejects the removable volume mounted at a mount point through GIO: ejects
// its drive where the drive allows it, otherwise unmounts it. Blocks until
// GIO answers, processing events. Returns an empty text on success, else the
// reason GIO gives (or that no such mount is known).
QString ejectVolume(const QString &mountPoint);

} // namespace quil
