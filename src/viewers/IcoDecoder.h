#pragma once

#include "viewers/Picture.h"

#include <QByteArrayView>

namespace quil {

// Windows icons (and cursors): the largest image of the file, as a bitmap
// with transparency (its AND mask or alpha). Images may be bitmaps or PNGs.
// Raises QuilError on a damaged or truncated file.
class IcoDecoder
{
public:
    static Picture decode(QByteArrayView data);
};

} // namespace quil
