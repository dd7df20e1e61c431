#pragma once

#include <QByteArray>
#include <QColor>
#include <QImage>
#include <QList>
#include <QRect>
#include <cstdint>

// Picture files made at test time, in every format the viewer reads.
namespace samples {

// A picture of the given size: left half `left`, right half `right`.
QImage twoColours(int width, int height, QColor left, QColor right);

QByteArray jpeg(const QImage &image, int quality = 90);
// A JPEG with an APP1 segment of the given data after its JFIF header.
QByteArray jpegWithApp1(const QImage &image, const QByteArray &app1, int quality = 90);
// The data of an EXIF APP1 segment that names an orientation (1 to 8), in
// either byte order of its TIFF structure.
QByteArray exifOrientation(int orientation, bool bigEndian);
QByteArray png(const QImage &image);
// Up to 256 distinct colours; `transparentIndex` marks one palette entry transparent.
// With `second`, an animation whose second frame is that picture.
QByteArray gif(const QImage &image, bool interlaced = false, int transparentIndex = -1, const QImage *second = nullptr);
QByteArray bmp(const QImage &image);
// A 32-bit icon with alpha, or (bpp 4) a 16-colour icon whose AND mask makes
// the pixels of colour (0,0,0,0) transparent.
QByteArray ico(const QImage &image, int bpp = 32);

// Metafile records, written as a program would.
class Wmf
{
public:
    void record(uint16_t function, const QList<int> &words);
    void recordBytes(uint16_t function, const QByteArray &params);
    static QList<int> colour(QColor c); // a COLORREF as two words
    // A placeable file with the given frame and units per inch, or a standard one.
    QByteArray placeable(QRect frame, int inch) const;
    QByteArray standard() const;

private:
    QByteArray m_records;
    int m_maxRecord = 0;
};

// A placeable 200 x 100 metafile: a red rectangle on the left half, a blue
// ellipse on the right, a line, a polygon, text and a green 2 x 2 bitmap.
QByteArray sampleWmf();
// A device-independent bitmap (info header, palette, pixels) of an image,
// 24 bits per pixel.
QByteArray dib24(const QImage &image);

} // namespace samples
