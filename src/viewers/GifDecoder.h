#pragma once

#include "viewers/Picture.h"

#include <QByteArrayView>

namespace quil {

// The first frame of a GIF through giflib, placed on the logical screen with
// its transparency. Raises QuilError on a damaged or truncated file.
class GifDecoder
{
public:
    static Picture decode(QByteArrayView data);
};

} // namespace quil
