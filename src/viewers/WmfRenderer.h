#pragma once

#include "viewers/Picture.h"

#include <QByteArrayView>

namespace quil {

// Windows metafiles, placeable or standard, drawn with QPainter: pens,
// brushes, fonts, lines, polylines, polygons, rectangles, rounded rectangles,
// ellipses, text and device-independent bitmaps; other records are skipped.
// The picture's size is the placeable frame at 96 dots per inch, or the
// window extent of a standard metafile. It is rendered for the fitted size in
// the area (at its own size, at most 4096 pixels a side, when the area is
// empty). Raises QuilError on a damaged or truncated file. O(records).
class WmfRenderer
{
public:
    static Picture decode(QByteArrayView data, QSize area);
};

} // namespace quil
