#pragma once

#include <QByteArrayView>
#include <QImage>

namespace quil {

// Device-independent bitmaps, the pixel format of BMP files, icons and
// metafile bitmaps: core and info headers (up to version 5), 1, 4, 8, 16, 24
// and 32 bits per pixel, uncompressed, bit fields, RLE8 and RLE4, bottom-up and
// top-down. Every read is bounds-checked; raises QuilError (naming `format`) on
// a damaged, truncated or unsupported bitmap. O(pixels).
class DibDecoder
{
public:
    struct Options
    {
        // Offset of the pixels from the start of the header, or -1 when they
        // follow the palette (as in icons and metafiles).
        qsizetype pixelOffset = -1;
        // Icon layout: the height counts the colour image and its AND mask,
        // which follows the pixels and marks the transparent ones; 32-bit
        // pixels carry alpha.
        bool icon = false;
    };

    static QImage decode(QByteArrayView dib, const char *format, Options options);
    // A whole BMP file: the file header, then a bitmap as above.
    static QImage decodeBmpFile(QByteArrayView file);
};

} // namespace quil
