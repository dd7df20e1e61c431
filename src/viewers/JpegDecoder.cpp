#include "viewers/JpegDecoder.h"

#include "viewers/PictureError.h"
#include "viewers/PictureFit.h"

#include <QTransform>

#include <csetjmp>
#include <cstdio>
#include <jpeglib.h>
// jerror.h needs jpeglib.h first.
#include <QCoreApplication>
#include <jerror.h>

namespace quil {

namespace {

struct ErrorManager
{
    jpeg_error_mgr pub;
    jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

void onError(j_common_ptr cinfo)
{
    auto *err = reinterpret_cast<ErrorManager *>(cinfo->err);
    (*cinfo->err->format_message)(cinfo, err->message);
    longjmp(err->jump, 1);
}

void onMessage(j_common_ptr cinfo, int level)
{
    // A file that ends early is decoded by libjpeg as grey rows with a mere
    // warning; a truncated photograph must be reported, not shown half grey.
    if (level < 0 && cinfo->err->msg_code == JWRN_JPEG_EOF)
        onError(cinfo);
}

// Progressive files with thousands of tiny scans take minutes to decode.
void onProgress(j_common_ptr cinfo)
{
    if (cinfo->is_decompressor) {
        auto *d = reinterpret_cast<j_decompress_ptr>(cinfo);
        if (d->input_scan_number > 500) {
            auto *err = reinterpret_cast<ErrorManager *>(cinfo->err);
            std::snprintf(err->message, sizeof err->message, "too many scans");
            longjmp(err->jump, 1);
        }
    }
}

struct Result
{
    QImage image;
    QSize size; // as stored in the file
    int orientation = 1;
    const char *refusal = nullptr;
};

bool transposes(int orientation)
{
    return orientation >= 5;
}

// Everything between setjmp and the last libjpeg call lives here, with no
// object whose destructor a longjmp could skip. Returns false on a libjpeg error.
bool decodeInto(jpeg_decompress_struct &cinfo, ErrorManager &err, jpeg_progress_mgr *progress, QByteArrayView data,
                QSize area, Result *out)
{
    if (setjmp(err.jump))
        return false;
    jpeg_create_decompress(&cinfo);
    cinfo.progress = progress; // creating clears every field but err
    jpeg_mem_src(&cinfo, reinterpret_cast<const unsigned char *>(data.data()), static_cast<unsigned long>(data.size()));
    jpeg_save_markers(&cinfo, JPEG_APP0 + 1, 0xFFFF);
    jpeg_read_header(&cinfo, TRUE);
    out->size = QSize(int(cinfo.image_width), int(cinfo.image_height));
    for (jpeg_saved_marker_ptr marker = cinfo.marker_list; marker; marker = marker->next) {
        if (marker->marker == JPEG_APP0 + 1) {
            out->orientation = JpegDecoder::exifOrientation(
                QByteArrayView(reinterpret_cast<const char *>(marker->data), qsizetype(marker->data_length)));
            if (out->orientation != 1)
                break;
        }
    }

    // A progressive file keeps every coefficient of the full-size picture in memory.
    const qint64 coefficients = qint64(cinfo.image_width) * cinfo.image_height * cinfo.num_components;
    if (cinfo.progressive_mode && coefficients * 2 > qint64(1) << 30) {
        out->refusal = "too large";
        return true;
    }
    const bool cmyk = cinfo.jpeg_color_space == JCS_CMYK || cinfo.jpeg_color_space == JCS_YCCK;
    cinfo.out_color_space = cmyk ? JCS_CMYK : JCS_EXT_RGBX;
    cinfo.scale_num = 1;
    // The scale is chosen for the picture as it is shown, upright.
    cinfo.scale_denom = static_cast<unsigned>(
        JpegDecoder::scaleFor(transposes(out->orientation) ? out->size.transposed() : out->size, area));
    jpeg_calc_output_dimensions(&cinfo);
    if (qint64(cinfo.output_width) * cinfo.output_height > kMaxPicturePixels) {
        out->refusal = "too large";
        return true;
    }
    out->image = QImage(int(cinfo.output_width), int(cinfo.output_height), QImage::Format_RGBX8888);
    if (out->image.isNull()) {
        out->refusal = "too large";
        return true;
    }
    jpeg_start_decompress(&cinfo);
    while (cinfo.output_scanline < cinfo.output_height) {
        JSAMPROW row = out->image.scanLine(int(cinfo.output_scanline));
        jpeg_read_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_decompress(&cinfo);
    if (cmyk) {
        // Adobe writes CMYK inverted, which is what nearly every CMYK JPEG is.
        const bool inverted = cinfo.saw_Adobe_marker;
        for (int y = 0; y < out->image.height(); ++y) {
            uchar *p = out->image.scanLine(y);
            for (int x = 0; x < out->image.width(); ++x, p += 4) {
                int c = p[0], m = p[1], yel = p[2], k = p[3];
                if (!inverted) {
                    c = 255 - c, m = 255 - m, yel = 255 - yel, k = 255 - k;
                }
                p[0] = uchar(c * k / 255);
                p[1] = uchar(m * k / 255);
                p[2] = uchar(yel * k / 255);
                p[3] = 255;
            }
        }
    }
    return true;
}

// The picture turned from the way it is stored to the way the camera held it.
QImage upright(const QImage &stored, int orientation)
{
    switch (orientation) {
    case 2:
        return stored.mirrored(true, false);
    case 3:
        return stored.mirrored(true, true);
    case 4:
        return stored.mirrored(false, true);
    case 5:
        return stored.transformed(QTransform().rotate(90)).mirrored(true, false);
    case 6:
        return stored.transformed(QTransform().rotate(90));
    case 7:
        return stored.transformed(QTransform().rotate(90)).mirrored(false, true);
    case 8:
        return stored.transformed(QTransform().rotate(270));
    default:
        return stored;
    }
}

} // namespace

int JpegDecoder::exifOrientation(QByteArrayView app1)
{
    // "Exif" and two zero bytes, then a TIFF header and its first directory.
    constexpr qsizetype kTiff = 6;
    if (app1.size() < kTiff + 8 || !app1.startsWith(QByteArrayView("Exif\0\0", 6)))
        return 1;
    const auto *tiff = reinterpret_cast<const unsigned char *>(app1.data()) + kTiff;
    const quint64 size = quint64(app1.size() - kTiff);
    bool bigEndian = false;
    if (tiff[0] == 'M' && tiff[1] == 'M')
        bigEndian = true;
    else if (!(tiff[0] == 'I' && tiff[1] == 'I'))
        return 1;
    const auto u16 = [&](quint64 at) {
        return bigEndian ? unsigned(tiff[at] << 8 | tiff[at + 1]) : unsigned(tiff[at + 1] << 8 | tiff[at]);
    };
    const auto u32 = [&](quint64 at) {
        return bigEndian ? quint64(u16(at)) << 16 | u16(at + 2) : quint64(u16(at + 2)) << 16 | u16(at);
    };
    if (u16(2) != 42)
        return 1;
    const quint64 directory = u32(4);
    if (directory + 2 > size)
        return 1;
    const unsigned entries = u16(directory);
    for (unsigned i = 0; i < entries; ++i) {
        const quint64 entry = directory + 2 + 12 * quint64(i);
        if (entry + 12 > size)
            break;
        constexpr unsigned kOrientationTag = 0x0112, kShort = 3;
        if (u16(entry) != kOrientationTag)
            continue;
        const unsigned value = u16(entry + 8);
        return u16(entry + 2) == kShort && value >= 1 && value <= 8 ? int(value) : 1;
    }
    return 1;
}

int JpegDecoder::scaleFor(QSize picture, QSize area)
{
    if (area.isEmpty() || picture.isEmpty())
        return 1;
    const QSize drawn = fitPictureRect(picture, area).size();
    for (int d : {8, 4, 2}) {
        // libjpeg rounds scaled dimensions up.
        const int w = (picture.width() + d - 1) / d;
        const int h = (picture.height() + d - 1) / d;
        if (w >= drawn.width() && h >= drawn.height())
            return d;
    }
    return 1;
}

Picture JpegDecoder::decode(QByteArrayView data, QSize area)
{
    if (data.isEmpty())
        throwPictureError("JPEG", QCoreApplication::translate("JpegDecoder", "файл пуст"));
    jpeg_decompress_struct cinfo{};
    ErrorManager err{};
    cinfo.err = jpeg_std_error(&err.pub);
    err.pub.error_exit = onError;
    err.pub.emit_message = onMessage;
    jpeg_progress_mgr progress{};
    progress.progress_monitor = onProgress;

    Result result;
    const bool ok = decodeInto(cinfo, err, &progress, data, area, &result);
    jpeg_destroy_decompress(&cinfo);
    if (!ok)
        throwPictureError("JPEG", QString::fromLocal8Bit(err.message));
    if (result.refusal)
        throwPictureError("JPEG", QCoreApplication::translate("JpegDecoder", "слишком большой размер (%1 × %2)")
                                      .arg(result.size.width())
                                      .arg(result.size.height()));
    Picture picture;
    picture.image = upright(result.image, result.orientation);
    picture.size = transposes(result.orientation) ? result.size.transposed() : result.size;
    picture.kind = PictureKind::Jpeg;
    return picture;
}

} // namespace quil
