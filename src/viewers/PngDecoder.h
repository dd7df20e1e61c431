#pragma once

#include "viewers/Picture.h"

#include <QByteArrayView>

namespace quil {

// PNG through libpng (which inflates the image data with zlib), first image
// only, with its transparency. Raises QuilError on a damaged or truncated file.
class PngDecoder
{
public:
    static Picture decode(QByteArrayView data);
    // True when the bytes begin with the PNG signature (icons may hold PNGs).
    static bool hasSignature(QByteArrayView data);
};

} // namespace quil
