#pragma once

#include <QByteArray>
#include <QImage>
#include <QSize>

namespace quil {

// The codecs, chosen by a file's extension.
enum class PictureKind { None, Jpeg, Png, Gif, Bmp, Ico, Wmf };

// A decoded picture. `size` is the picture's own size in pixels, which the
// fitting rule works with; `image` may be smaller (a JPEG decoded at a reduced
// scale) or rendered for the area (a metafile). When `source` holds the file's
// bytes the image can be decoded again for a larger area without reading the
// file a second time.
struct Picture
{
    QImage image;
    QSize size;
    PictureKind kind = PictureKind::None;
    QByteArray source;

    bool isNull() const { return image.isNull(); }
};

} // namespace quil
