#include "viewers/PngDecoder.h"

#include "viewers/PictureError.h"

#include <QCoreApplication>
#include <png.h>

namespace quil {

bool PngDecoder::hasSignature(QByteArrayView data)
{
    return data.size() >= 8 && png_sig_cmp(reinterpret_cast<png_const_bytep>(data.data()), 0, 8) == 0;
}

Picture PngDecoder::decode(QByteArrayView data)
{
    if (data.isEmpty())
        throwPictureError("PNG", QCoreApplication::translate("PngDecoder", "файл пуст"));
    if (!hasSignature(data))
        throwPictureError("PNG", QCoreApplication::translate("PngDecoder", "нет подписи PNG"));
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&image, data.data(), size_t(data.size())))
        throwPictureError("PNG", QString::fromLatin1(image.message));
    if (qint64(image.width) * image.height > kMaxPicturePixels) {
        png_image_free(&image);
        throwPictureError("PNG", QCoreApplication::translate("PngDecoder", "слишком большой размер (%1 × %2)")
                                     .arg(image.width)
                                     .arg(image.height));
    }
    image.format = PNG_FORMAT_RGBA;
    QImage result(int(image.width), int(image.height), QImage::Format_RGBA8888);
    if (result.isNull()) {
        png_image_free(&image);
        throwPictureError("PNG", QCoreApplication::translate("PngDecoder", "недостаточно памяти"));
    }
    if (!png_image_finish_read(&image, nullptr, result.bits(), png_int_32(result.bytesPerLine()), nullptr))
        throwPictureError("PNG", QString::fromLatin1(image.message));
    Picture picture;
    picture.size = result.size();
    picture.image = std::move(result);
    picture.kind = PictureKind::Png;
    return picture;
}

} // namespace quil
