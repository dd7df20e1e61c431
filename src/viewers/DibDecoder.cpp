#include "viewers/DibDecoder.h"

#include "viewers/ByteReader.h"
#include "viewers/PictureError.h"

#include <QCoreApplication>
#include <QList>
#include <algorithm>
#include <bit>

namespace quil {

namespace {

// One colour channel described by a bit mask of a 16- or 32-bit pixel.
struct Channel
{
    uint32_t mask = 0;
    int shift = 0;
    int bits = 0;

    explicit Channel(uint32_t m = 0) : mask(m)
    {
        if (m) {
            shift = std::countr_zero(m);
            bits = std::popcount(m >> shift);
            if (bits > 8) { // keep the top eight bits of wide channels
                shift += bits - 8;
                bits = 8;
                mask = ((1u << bits) - 1) << shift;
            }
        }
    }
    int value(uint32_t pixel, int fallback) const
    {
        if (!mask)
            return fallback;
        const uint32_t v = (pixel & mask) >> shift;
        const uint32_t max = (1u << bits) - 1;
        return int(std::min<uint32_t>(255, v * 255 / max)); // gaps in a mask can exceed max
    }
};

enum Compression : uint32_t { Rgb = 0, Rle8 = 1, Rle4 = 2, BitFields = 3, AlphaBitFields = 6 };

} // namespace

QImage DibDecoder::decode(QByteArrayView dib, const char *format, Options options)
{
    const auto bad = [format](const QString &reason) { throwPictureError(format, reason); };
    const QString truncated = QCoreApplication::translate("DibDecoder", "файл обрезан");
    ByteReader r(dib);
    const uint32_t headerSize = r.u32();
    qint64 width = 0, height = 0;
    int bpp = 0;
    uint32_t compression = Rgb;
    uint32_t colorsUsed = 0;
    int paletteEntrySize = 4;
    uint32_t masks[4] = {0, 0, 0, 0};
    if (headerSize == 12) {
        width = r.u16();
        height = r.i16();
        r.u16();
        bpp = r.u16();
        paletteEntrySize = 3;
    } else if (headerSize >= 16 && headerSize <= 124) {
        width = r.i32();
        height = r.i32();
        r.u16();
        bpp = r.u16();
        if (headerSize >= 20)
            compression = r.u32();
        if (headerSize >= 36) {
            r.skip(12);
            colorsUsed = r.u32();
        }
        if (headerSize >= 52) {
            r.seek(40);
            for (int i = 0; i < (headerSize >= 56 ? 4 : 3); ++i)
                masks[i] = r.u32();
        }
    } else {
        bad(r.failed() ? truncated : QCoreApplication::translate("DibDecoder", "неизвестный заголовок растра"));
    }
    if (r.failed())
        bad(truncated);
    r.seek(headerSize);
    if (headerSize == 40 && (compression == BitFields || compression == AlphaBitFields)) {
        for (int i = 0; i < (compression == AlphaBitFields ? 4 : 3); ++i)
            masks[i] = r.u32();
    }
    if (headerSize == 64 && compression > Rle4)
        bad(QCoreApplication::translate("DibDecoder", "сжатие OS/2 не поддерживается"));

    const bool topDown = height < 0;
    if (topDown)
        height = -height;
    if (options.icon)
        height /= 2;
    if (width <= 0 || height <= 0)
        bad(QCoreApplication::translate("DibDecoder", "растр без размеров"));
    if (width * height > kMaxPicturePixels)
        bad(QCoreApplication::translate("DibDecoder", "слишком большой размер (%1 × %2)").arg(width).arg(height));
    if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 16 && bpp != 24 && bpp != 32)
        bad(QCoreApplication::translate("DibDecoder", "неизвестная глубина цвета %1").arg(bpp));
    if (compression == Rle8 ? bpp != 8 : compression == Rle4 ? bpp != 4 : false)
        bad(QCoreApplication::translate("DibDecoder", "неверное сжатие"));
    if (compression != Rgb && compression != Rle8 && compression != Rle4 && compression != BitFields &&
        compression != AlphaBitFields)
        bad(QCoreApplication::translate("DibDecoder", "сжатие %1 не поддерживается").arg(compression));
    if ((compression == BitFields || compression == AlphaBitFields) && bpp != 16 && bpp != 32)
        bad(QCoreApplication::translate("DibDecoder", "неверное сжатие"));

    QList<QRgb> palette;
    if (bpp <= 8) {
        const qsizetype count = colorsUsed && colorsUsed < (1u << bpp) ? colorsUsed : (1 << bpp);
        for (qsizetype i = 0; i < count && r.remaining() >= paletteEntrySize; ++i) {
            const int b = r.u8(), g = r.u8(), rd = r.u8();
            if (paletteEntrySize == 4)
                r.u8();
            palette.append(qRgb(rd, g, b));
        }
        // Pixels naming a missing palette entry are drawn black.
        palette.resize(1 << bpp, qRgb(0, 0, 0));
    }
    qsizetype pixels = r.position();
    if (options.pixelOffset >= 0 && options.pixelOffset < dib.size())
        pixels = options.pixelOffset;

    QImage image(int(width), int(height), QImage::Format_ARGB32);
    if (image.isNull())
        bad(QCoreApplication::translate("DibDecoder", "недостаточно памяти"));
    const qsizetype stride = ((width * bpp + 31) / 32) * 4;
    const auto rowOf = [&](qint64 y) { return int(topDown ? y : height - 1 - y); };

    if (compression == Rle8 || compression == Rle4) {
        image.fill(qRgb(0, 0, 0));
        ByteReader rle(dib, pixels);
        qint64 x = 0, y = 0;
        const auto put = [&](int index) {
            if (x < width && y < height)
                reinterpret_cast<QRgb *>(image.scanLine(rowOf(y)))[x] = palette[index];
            ++x;
        };
        for (;;) {
            const int count = rle.u8();
            const int value = rle.u8();
            if (rle.failed())
                bad(truncated);
            if (count > 0) {
                for (int i = 0; i < count; ++i)
                    put(compression == Rle8 ? value : (i % 2 ? value & 15 : value >> 4));
            } else if (value == 0) {
                x = 0;
                ++y;
            } else if (value == 1) {
                break;
            } else if (value == 2) {
                x += rle.u8();
                y += rle.u8();
            } else {
                int packed = 0;
                for (int i = 0; i < value; ++i) {
                    if (compression == Rle8) {
                        put(rle.u8());
                    } else {
                        if (i % 2 == 0)
                            packed = rle.u8();
                        put(i % 2 ? packed & 15 : packed >> 4);
                    }
                }
                const int used = compression == Rle8 ? value : (value + 1) / 2;
                if (used % 2)
                    rle.u8();
            }
            if (rle.failed())
                bad(truncated);
            if (y >= height)
                break; // the rest could not be drawn anyway
        }
        return image;
    }

    if (pixels + stride * height > dib.size())
        bad(truncated);
    Channel red, green, blue, alpha;
    if (compression == BitFields || compression == AlphaBitFields) {
        red = Channel(masks[0]), green = Channel(masks[1]), blue = Channel(masks[2]), alpha = Channel(masks[3]);
    } else if (bpp == 16) {
        red = Channel(0x7c00), green = Channel(0x03e0), blue = Channel(0x001f);
    }
    bool anyAlpha = false;
    for (qint64 y = 0; y < height; ++y) {
        const auto *src = reinterpret_cast<const uchar *>(dib.data() + pixels + stride * y);
        auto *out = reinterpret_cast<QRgb *>(image.scanLine(rowOf(y)));
        for (qint64 x = 0; x < width; ++x) {
            switch (bpp) {
            case 1:
                out[x] = palette[(src[x / 8] >> (7 - x % 8)) & 1];
                break;
            case 4:
                out[x] = palette[(src[x / 2] >> (x % 2 ? 0 : 4)) & 15];
                break;
            case 8:
                out[x] = palette[src[x]];
                break;
            case 16: {
                const uint32_t p = src[2 * x] | (src[2 * x + 1] << 8);
                out[x] = qRgba(red.value(p, 0), green.value(p, 0), blue.value(p, 0), alpha.value(p, 255));
                break;
            }
            case 24:
                out[x] = qRgb(src[3 * x + 2], src[3 * x + 1], src[3 * x]);
                break;
            default: {
                const uint32_t p =
                    src[4 * x] | (src[4 * x + 1] << 8) | (src[4 * x + 2] << 16) | (uint32_t(src[4 * x + 3]) << 24);
                if (red.mask || green.mask || blue.mask) {
                    out[x] = qRgba(red.value(p, 0), green.value(p, 0), blue.value(p, 0), alpha.value(p, 255));
                } else {
                    // Plain 32-bit bitmaps carry alpha only in icons.
                    const int a = options.icon ? int(p >> 24) : 255;
                    anyAlpha = anyAlpha || a != 0;
                    out[x] = qRgba(int(p >> 16) & 255, int(p >> 8) & 255, int(p) & 255, a);
                }
            }
            }
        }
    }
    if (!options.icon)
        return image;

    const bool alphaFromPixels = bpp == 32 && anyAlpha;
    if (bpp == 32 && !anyAlpha) // alpha all zero: the mask alone decides
        for (qint64 y = 0; y < height; ++y) {
            auto *out = reinterpret_cast<QRgb *>(image.scanLine(int(y)));
            for (qint64 x = 0; x < width; ++x)
                out[x] |= 0xff000000u;
        }
    const qsizetype maskStart = pixels + stride * height;
    const qsizetype maskStride = ((width + 31) / 32) * 4;
    if (maskStart + maskStride * height > dib.size()) {
        if (alphaFromPixels)
            return image; // the alpha already says what is transparent
        bad(truncated);
    }
    if (alphaFromPixels)
        return image;
    for (qint64 y = 0; y < height; ++y) {
        const auto *mask = reinterpret_cast<const uchar *>(dib.data() + maskStart + maskStride * y);
        auto *out = reinterpret_cast<QRgb *>(image.scanLine(rowOf(y)));
        for (qint64 x = 0; x < width; ++x)
            if ((mask[x / 8] >> (7 - x % 8)) & 1)
                out[x] = qRgba(0, 0, 0, 0);
    }
    return image;
}

QImage DibDecoder::decodeBmpFile(QByteArrayView file)
{
    if (file.isEmpty())
        throwPictureError("BMP", QCoreApplication::translate("DibDecoder", "файл пуст"));
    ByteReader r(file);
    if (r.u8() != 'B' || r.u8() != 'M')
        throwPictureError("BMP", QCoreApplication::translate("DibDecoder", "нет подписи BM"));
    r.skip(8);
    const uint32_t offBits = r.u32();
    if (r.failed())
        throwPictureError("BMP", QCoreApplication::translate("DibDecoder", "файл обрезан"));
    Options options;
    if (offBits >= 14 + 12)
        options.pixelOffset = qsizetype(offBits) - 14;
    return decode(file.sliced(14), "BMP", options);
}

} // namespace quil
