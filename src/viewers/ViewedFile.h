#pragma once

#include "platform/UniqueFd.h"

#include <QString>

namespace quil {

// Opens a file the viewer shows, for reading. Non-blocking, so that a FIFO
// given as the file cannot hang the viewer. Throws OsError on failure.
UniqueFd openViewedFile(const QString &path);

} // namespace quil
