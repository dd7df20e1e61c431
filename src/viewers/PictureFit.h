#pragma once

#include <QRect>
#include <QSize>

namespace quil {

// Where a picture of the given size is drawn inside an area of the given size:
// stretched proportionally until it fills the area in one direction (small
// pictures are enlarged too), then centred. Sizes are rounded toward zero.
// An empty picture gives an empty rectangle.
QRect fitPictureRect(QSize picture, QSize area);

} // namespace quil
