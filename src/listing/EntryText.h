#pragma once

#include "platform/FindData.h"

#include <QString>
#include <QtGlobal>

namespace quil {

// Size in kilobytes shown for a byte count: rounded up, at least 1 (an empty
// file shows 1). Kept in 64 bits so that files of 2 TiB and more do not wrap.
qint64 sizeKbFromBytes(qint64 bytes);

// Text of the size column: "<dir>" for a folder, otherwise the kilobytes
// without grouping followed by " Kb".
QString sizeColumnText(bool isFolder, qint64 sizeKb);

// Letters of the attribute column: R, H, S, A for the bits set, in that order.
QString attributeLetters(quint32 attributes);

} // namespace quil
