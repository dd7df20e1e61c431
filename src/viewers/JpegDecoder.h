#pragma once

#include "viewers/Picture.h"

#include <QByteArrayView>

namespace quil {

// JPEG through libjpeg. When the area is not empty and the picture is larger
// than its fitted size in the area, decodes at the smallest of libjpeg's
// scales 1/2, 1/4, 1/8 whose result still covers the fitted size, which costs
// about 1/d^2 of a full decode. A picture whose EXIF data names an orientation
// is turned upright (its size is then the upright one). Raises QuilError on a
// damaged or truncated file.
class JpegDecoder
{
public:
    static Picture decode(QByteArrayView data, QSize area);
    // The scale denominator (1, 2, 4 or 8) chosen for a picture of the given
    // size drawn into the area.
    static int scaleFor(QSize picture, QSize area);
    // The EXIF orientation (1 to 8) an APP1 segment's data names; 1 when it
    // names none or is not EXIF. Reads only inside the data.
    static int exifOrientation(QByteArrayView app1);
};

} // namespace quil
