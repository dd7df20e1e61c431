#include "viewers/IcoDecoder.h"

#include "viewers/ByteReader.h"
#include "viewers/DibDecoder.h"
#include "viewers/PictureError.h"
#include "viewers/PngDecoder.h"
#include <QCoreApplication>

namespace quil {

Picture IcoDecoder::decode(QByteArrayView data)
{
    if (data.isEmpty())
        throwPictureError("ICO", QCoreApplication::translate("IcoDecoder", "файл пуст"));
    ByteReader r(data);
    const uint16_t reserved = r.u16();
    const uint16_t type = r.u16();
    const uint16_t count = r.u16();
    if (r.failed())
        throwPictureError("ICO", QCoreApplication::translate("IcoDecoder", "файл обрезан"));
    if (reserved != 0 || (type != 1 && type != 2))
        throwPictureError("ICO", QCoreApplication::translate("IcoDecoder", "нет заголовка значка"));
    if (count == 0)
        throwPictureError("ICO", QCoreApplication::translate("IcoDecoder", "в файле нет изображений"));

    // The largest image, the deepest of equal size: it stretches best.
    qint64 bestArea = -1;
    int bestDepth = -1;
    uint32_t bestOffset = 0, bestLength = 0;
    for (int i = 0; i < count; ++i) {
        const int w0 = r.u8(); // 0 stands for 256
        const int h0 = r.u8();
        const int w = w0 ? w0 : 256;
        const int h = h0 ? h0 : 256;
        r.skip(4);
        const int depth = r.u16();
        const uint32_t length = r.u32();
        const uint32_t offset = r.u32();
        if (r.failed())
            throwPictureError("ICO", QCoreApplication::translate("IcoDecoder", "файл обрезан"));
        const qint64 area = qint64(w) * h;
        if (area > bestArea || (area == bestArea && depth > bestDepth)) {
            bestArea = area;
            bestDepth = depth;
            bestOffset = offset;
            bestLength = length;
        }
    }
    if (bestOffset >= uint32_t(data.size()) || bestLength == 0)
        throwPictureError("ICO", QCoreApplication::translate("IcoDecoder", "файл обрезан"));
    if (qint64(bestOffset) + bestLength > data.size())
        throwPictureError("ICO", QCoreApplication::translate("IcoDecoder", "файл обрезан"));
    const QByteArrayView image = data.sliced(bestOffset, bestLength);

    Picture picture;
    if (PngDecoder::hasSignature(image)) {
        picture = PngDecoder::decode(image);
    } else {
        DibDecoder::Options options;
        options.icon = true;
        picture.image = DibDecoder::decode(image, "ICO", options);
        picture.size = picture.image.size();
    }
    picture.kind = PictureKind::Ico;
    return picture;
}

} // namespace quil
