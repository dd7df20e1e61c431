#include "PictureSamples.h"

#include <QBuffer>
#include <QPainter>
#include <cstdio>
#include <gif_lib.h>
#include <jpeglib.h>

namespace samples {

namespace {

void put16(QByteArray &out, int v)
{
    out.append(char(v & 0xff));
    out.append(char((v >> 8) & 0xff));
}

void put32(QByteArray &out, uint32_t v)
{
    put16(out, int(v & 0xffff));
    put16(out, int(v >> 16));
}

} // namespace

QImage twoColours(int width, int height, QColor left, QColor right)
{
    QImage image(width, height, QImage::Format_RGB32);
    QPainter painter(&image);
    painter.fillRect(0, 0, width / 2, height, left);
    painter.fillRect(width / 2, 0, width - width / 2, height, right);
    return image;
}

QByteArray jpeg(const QImage &source, int quality)
{
    return jpegWithApp1(source, {}, quality);
}

QByteArray exifOrientation(int orientation, bool bigEndian)
{
    QByteArray tiff;
    const auto put16be = [&](int v) {
        if (bigEndian) {
            tiff.append(char((v >> 8) & 0xff));
            tiff.append(char(v & 0xff));
        } else {
            put16(tiff, v);
        }
    };
    const auto put32be = [&](uint32_t v) {
        if (bigEndian) {
            put16be(int(v >> 16));
            put16be(int(v & 0xffff));
        } else {
            put32(tiff, v);
        }
    };
    tiff.append(bigEndian ? "MM" : "II");
    put16be(42);
    put32be(8); // the first directory follows the header
    put16be(2); // two entries: the picture's description, then its orientation
    put16be(0x010E);
    put16be(2); // ASCII
    put32be(4);
    tiff.append("cat", 4);
    put16be(0x0112);
    put16be(3); // SHORT
    put32be(1);
    put16be(orientation);
    put16be(0);
    put32be(0); // no next directory
    return QByteArray("Exif\0\0", 6) + tiff;
}

QByteArray jpegWithApp1(const QImage &source, const QByteArray &app1, int quality)
{
    const QImage image = source.convertToFormat(QImage::Format_RGB888);
    jpeg_compress_struct cinfo{};
    jpeg_error_mgr err{};
    cinfo.err = jpeg_std_error(&err);
    jpeg_create_compress(&cinfo);
    unsigned char *buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&cinfo, &buffer, &size);
    cinfo.image_width = JDIMENSION(image.width());
    cinfo.image_height = JDIMENSION(image.height());
    cinfo.input_components = 3;
    cinfo.in_color_space = JCS_RGB;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, quality, TRUE);
    jpeg_start_compress(&cinfo, TRUE);
    if (!app1.isEmpty())
        jpeg_write_marker(&cinfo, JPEG_APP0 + 1, reinterpret_cast<const JOCTET *>(app1.constData()),
                          unsigned(app1.size()));
    while (cinfo.next_scanline < cinfo.image_height) {
        JSAMPROW row = const_cast<uchar *>(image.constScanLine(int(cinfo.next_scanline)));
        jpeg_write_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    QByteArray bytes(reinterpret_cast<const char *>(buffer), qsizetype(size));
    std::free(buffer);
    return bytes;
}

QByteArray png(const QImage &image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

QByteArray bmp(const QImage &image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "BMP");
    return bytes;
}

static int writeToArray(GifFileType *gif, const GifByteType *data, int length)
{
    static_cast<QByteArray *>(gif->UserData)->append(reinterpret_cast<const char *>(data), length);
    return length;
}

QByteArray gif(const QImage &source, bool interlaced, int transparentIndex, const QImage *second)
{
    const QImage image = source.convertToFormat(QImage::Format_Indexed8, Qt::ThresholdDither | Qt::AvoidDither);
    QByteArray bytes;
    int error = 0;
    GifFileType *file = EGifOpen(&bytes, writeToArray, &error);
    QList<GifColorType> colours(256, GifColorType{0, 0, 0});
    const auto table = image.colorTable();
    for (int i = 0; i < table.size() && i < 256; ++i)
        colours[i] =
            GifColorType{GifByteType(qRed(table[i])), GifByteType(qGreen(table[i])), GifByteType(qBlue(table[i]))};
    ColorMapObject *map = GifMakeMapObject(256, colours.data());
    EGifSetGifVersion(file, true);
    EGifPutScreenDesc(file, image.width(), image.height(), 8, 0, map);
    if (transparentIndex >= 0) {
        GraphicsControlBlock gcb{};
        gcb.TransparentColor = transparentIndex;
        GifByteType extension[4];
        const size_t length = EGifGCBToExtension(&gcb, extension);
        EGifPutExtension(file, GRAPHICS_EXT_FUNC_CODE, int(length), extension);
    }
    EGifPutImageDesc(file, 0, 0, image.width(), image.height(), interlaced, nullptr);
    QList<GifPixelType> line(image.width());
    const auto putRow = [&](int y) {
        for (int x = 0; x < image.width(); ++x)
            line[x] = GifPixelType(image.pixelIndex(x, y));
        EGifPutLine(file, line.data(), image.width());
    };
    if (interlaced) {
        static const int start[] = {0, 4, 2, 1}, step[] = {8, 8, 4, 2};
        for (int pass = 0; pass < 4; ++pass)
            for (int y = start[pass]; y < image.height(); y += step[pass])
                putRow(y);
    } else {
        for (int y = 0; y < image.height(); ++y)
            putRow(y);
    }
    if (second) {
        const QImage next = second->convertToFormat(QImage::Format_Indexed8, table);
        EGifPutImageDesc(file, 0, 0, next.width(), next.height(), false, nullptr);
        for (int y = 0; y < next.height(); ++y) {
            for (int x = 0; x < next.width(); ++x)
                line[x] = GifPixelType(next.pixelIndex(x, y));
            EGifPutLine(file, line.data(), next.width());
        }
    }
    EGifCloseFile(file, &error);
    GifFreeMapObject(map);
    return bytes;
}

QByteArray ico(const QImage &source, int bpp)
{
    const QImage image = source.convertToFormat(QImage::Format_ARGB32);
    const int w = image.width(), h = image.height();
    QList<QRgb> palette;
    QByteArray pixels;
    const int stride = ((w * bpp + 31) / 32) * 4;
    for (int y = h - 1; y >= 0; --y) {
        QByteArray row(stride, '\0');
        for (int x = 0; x < w; ++x) {
            const QRgb p = image.pixel(x, y);
            if (bpp == 32) {
                row[4 * x] = char(qBlue(p)), row[4 * x + 1] = char(qGreen(p)), row[4 * x + 2] = char(qRed(p));
                row[4 * x + 3] = char(qAlpha(p));
            } else {
                const QRgb opaque = p | 0xff000000u;
                qsizetype index = palette.indexOf(opaque);
                if (index < 0) {
                    index = palette.size();
                    palette.append(opaque);
                }
                row[x / 2] = char(row[x / 2] | (x % 2 ? index : index << 4));
            }
        }
        pixels += row;
    }
    const int maskStride = ((w + 31) / 32) * 4;
    QByteArray mask;
    for (int y = h - 1; y >= 0; --y) {
        QByteArray row(maskStride, '\0');
        for (int x = 0; x < w; ++x)
            if (qAlpha(image.pixel(x, y)) == 0)
                row[x / 8] = char(row[x / 8] | (0x80 >> (x % 8)));
        mask += row;
    }
    QByteArray dib;
    put32(dib, 40);
    put32(dib, uint32_t(w));
    put32(dib, uint32_t(h * 2));
    put16(dib, 1);
    put16(dib, bpp);
    put32(dib, 0);
    put32(dib, uint32_t(pixels.size() + mask.size()));
    put32(dib, 0), put32(dib, 0), put32(dib, bpp == 4 ? 16 : 0), put32(dib, 0);
    if (bpp == 4)
        for (int i = 0; i < 16; ++i) {
            const QRgb c = i < palette.size() ? palette[i] : 0;
            dib.append(char(qBlue(c))), dib.append(char(qGreen(c))), dib.append(char(qRed(c))), dib.append('\0');
        }
    dib += pixels + mask;

    QByteArray file;
    put16(file, 0), put16(file, 1), put16(file, 1);
    file.append(char(w & 0xff)), file.append(char(h & 0xff)), file.append('\0'), file.append('\0');
    put16(file, 1), put16(file, bpp);
    put32(file, uint32_t(dib.size()));
    put32(file, 22);
    return file + dib;
}

void Wmf::record(uint16_t function, const QList<int> &words)
{
    QByteArray params;
    for (int w : words)
        put16(params, w);
    recordBytes(function, params);
}

void Wmf::recordBytes(uint16_t function, const QByteArray &params)
{
    QByteArray p = params;
    if (p.size() % 2)
        p.append('\0');
    const int words = 3 + int(p.size() / 2);
    put32(m_records, uint32_t(words));
    put16(m_records, function);
    m_records += p;
    m_maxRecord = std::max(m_maxRecord, words);
}

QList<int> Wmf::colour(QColor c)
{
    return {c.red() | (c.green() << 8), c.blue()};
}

QByteArray Wmf::standard() const
{
    QByteArray out;
    const QByteArray eof = QByteArray::fromHex("030000000000");
    put16(out, 1), put16(out, 9), put16(out, 0x300);
    put32(out, uint32_t(9 + (m_records.size() + eof.size()) / 2));
    put16(out, 16);
    put32(out, uint32_t(m_maxRecord));
    put16(out, 0);
    return out + m_records + eof;
}

QByteArray Wmf::placeable(QRect frame, int inch) const
{
    QByteArray out;
    put32(out, 0x9AC6CDD7u);
    put16(out, 0);
    put16(out, frame.left()), put16(out, frame.top()), put16(out, frame.right() + 1), put16(out, frame.bottom() + 1);
    put16(out, inch);
    put32(out, 0);
    int checksum = 0;
    for (int i = 0; i < 20; i += 2)
        checksum ^= uchar(out[i]) | (uchar(out[i + 1]) << 8);
    put16(out, checksum);
    return out + standard();
}

QByteArray dib24(const QImage &source)
{
    const QImage image = source.convertToFormat(QImage::Format_RGB32);
    const int w = image.width(), h = image.height();
    const int stride = ((w * 24 + 31) / 32) * 4;
    QByteArray out;
    put32(out, 40), put32(out, uint32_t(w)), put32(out, uint32_t(h));
    put16(out, 1), put16(out, 24);
    put32(out, 0), put32(out, uint32_t(stride * h)), put32(out, 0), put32(out, 0), put32(out, 0), put32(out, 0);
    for (int y = h - 1; y >= 0; --y) {
        QByteArray row(stride, '\0');
        for (int x = 0; x < w; ++x) {
            const QRgb p = image.pixel(x, y);
            row[3 * x] = char(qBlue(p)), row[3 * x + 1] = char(qGreen(p)), row[3 * x + 2] = char(qRed(p));
        }
        out += row;
    }
    return out;
}

QByteArray sampleWmf()
{
    Wmf wmf;
    wmf.record(0x020B, {0, 0});                                               // window origin
    wmf.record(0x020C, {100, 200});                                           // window extent (y, x)
    wmf.record(0x02FC, QList<int>{0} + Wmf::colour(Qt::red) + QList<int>{0}); // brush 0
    wmf.record(0x012D, {0});
    wmf.record(0x02FA, QList<int>{5, 0, 0} + Wmf::colour(Qt::black)); // null pen 1
    wmf.record(0x012D, {1});
    wmf.record(0x041B, {100, 100, 0, 0});                                      // rectangle bottom, right, top, left
    wmf.record(0x02FC, QList<int>{0} + Wmf::colour(Qt::blue) + QList<int>{0}); // brush 2
    wmf.record(0x012D, {2});
    wmf.record(0x0418, {100, 200, 0, 100});                           // ellipse
    wmf.record(0x02FA, QList<int>{0, 2, 0} + Wmf::colour(Qt::black)); // pen 3
    wmf.record(0x012D, {3});
    wmf.record(0x0214, {90, 10});                    // move to (y, x)
    wmf.record(0x0213, {90, 90});                    // line to
    wmf.record(0x0324, {3, 20, 20, 40, 20, 30, 40}); // polygon
    wmf.record(0x0209, Wmf::colour(Qt::white));
    wmf.record(0x0102, {1}); // transparent text background
    wmf.recordBytes(0x0521,
                    QByteArray::fromHex("0300") + "Abc" + QByteArray(1, '\0') + QByteArray::fromHex("3c003200"));
    wmf.record(0x0001, {1, 2, 3}); // a record nobody knows
    QImage green(2, 2, QImage::Format_RGB32);
    green.fill(Qt::green);
    QByteArray blt;
    put32(blt, 0x00CC0020u);                    // SRCCOPY
    for (int v : {2, 2, 0, 0, 10, 10, 80, 180}) // source h, w, y, x; destination h, w, y, x
        put16(blt, v);
    wmf.recordBytes(0x0B41, blt + dib24(green));
    return wmf.placeable(QRect(0, 0, 200, 100), 96);
}

} // namespace samples
