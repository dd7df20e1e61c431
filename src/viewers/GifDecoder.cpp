#include "viewers/GifDecoder.h"

#include "viewers/PictureError.h"

#include <QCoreApplication>
#include <QList>
#include <algorithm>
#include <cstring>
#include <gif_lib.h>
#include <memory>

namespace quil {

namespace {

struct Source
{
    QByteArrayView data;
    qsizetype position = 0;
};

int readFromMemory(GifFileType *gif, GifByteType *buffer, int length)
{
    auto *source = static_cast<Source *>(gif->UserData);
    const qsizetype count = std::min<qsizetype>(length, source->data.size() - source->position);
    if (count <= 0)
        return 0;
    std::memcpy(buffer, source->data.data() + source->position, size_t(count));
    source->position += count;
    return int(count);
}

struct GifCloser
{
    void operator()(GifFileType *gif) const
    {
        int error = 0;
        DGifCloseFile(gif, &error);
    }
};

[[noreturn]] void fail(int error)
{
    const char *text = GifErrorString(error);
    throwPictureError("GIF", text ? QString::fromLatin1(text)
                                  : QCoreApplication::translate("GifDecoder", "ошибка %1").arg(error));
}

} // namespace

Picture GifDecoder::decode(QByteArrayView data)
{
    if (data.isEmpty())
        throwPictureError("GIF", QCoreApplication::translate("GifDecoder", "файл пуст"));
    Source source{data};
    int error = 0;
    std::unique_ptr<GifFileType, GifCloser> gif(DGifOpen(&source, readFromMemory, &error));
    if (!gif)
        fail(error);

    int transparent = -1;
    for (;;) {
        GifRecordType type = UNDEFINED_RECORD_TYPE;
        if (DGifGetRecordType(gif.get(), &type) == GIF_ERROR)
            fail(gif->Error);
        if (type == TERMINATE_RECORD_TYPE)
            throwPictureError("GIF", QCoreApplication::translate("GifDecoder", "нет ни одного кадра"));
        if (type == EXTENSION_RECORD_TYPE) {
            int code = 0;
            GifByteType *block = nullptr;
            if (DGifGetExtension(gif.get(), &code, &block) == GIF_ERROR)
                fail(gif->Error);
            if (code == GRAPHICS_EXT_FUNC_CODE && block && block[0] >= 4 && (block[1] & 1))
                transparent = block[4];
            while (block) {
                if (DGifGetExtensionNext(gif.get(), &block) == GIF_ERROR)
                    fail(gif->Error);
            }
            continue;
        }
        if (type != IMAGE_DESC_RECORD_TYPE)
            continue;

        if (DGifGetImageDesc(gif.get()) == GIF_ERROR)
            fail(gif->Error);
        const GifImageDesc &desc = gif->Image;
        const ColorMapObject *map = desc.ColorMap ? desc.ColorMap : gif->SColorMap;
        if (!map || !map->Colors)
            throwPictureError("GIF", QCoreApplication::translate("GifDecoder", "нет палитры"));
        const int frameW = desc.Width;
        const int frameH = desc.Height;
        // A screen smaller than its first frame is a writer's slip: show the frame whole.
        const int screenW = std::max<int>(gif->SWidth, desc.Left + frameW);
        const int screenH = std::max<int>(gif->SHeight, desc.Top + frameH);
        if (frameW <= 0 || frameH <= 0 || screenW <= 0 || screenH <= 0)
            throwPictureError("GIF", QCoreApplication::translate("GifDecoder", "кадр без размеров"));
        if (qint64(screenW) * screenH > kMaxPicturePixels || qint64(frameW) * frameH > kMaxPicturePixels)
            throwPictureError("GIF", QCoreApplication::translate("GifDecoder", "слишком большой размер (%1 × %2)")
                                         .arg(screenW)
                                         .arg(screenH));

        QImage image(screenW, screenH, QImage::Format_ARGB32);
        if (image.isNull())
            throwPictureError("GIF", QCoreApplication::translate("GifDecoder", "недостаточно памяти"));
        image.fill(Qt::transparent);
        QList<GifPixelType> line(frameW);
        const auto putLine = [&](int row) {
            if (DGifGetLine(gif.get(), line.data(), frameW) == GIF_ERROR)
                fail(gif->Error);
            auto *out = reinterpret_cast<QRgb *>(image.scanLine(desc.Top + row)) + desc.Left;
            for (int x = 0; x < frameW; ++x) {
                const int index = line[x];
                if (index == transparent)
                    continue;
                // Indexes past the palette are a damaged file; draw them black.
                const GifColorType c = index < map->ColorCount ? map->Colors[index] : GifColorType{0, 0, 0};
                out[x] = qRgb(c.Red, c.Green, c.Blue);
            }
        };
        if (desc.Interlace) {
            static const int start[] = {0, 4, 2, 1};
            static const int step[] = {8, 8, 4, 2};
            for (int pass = 0; pass < 4; ++pass)
                for (int row = start[pass]; row < frameH; row += step[pass])
                    putLine(row);
        } else {
            for (int row = 0; row < frameH; ++row)
                putLine(row);
        }
        Picture picture;
        picture.size = image.size();
        picture.image = std::move(image);
        picture.kind = PictureKind::Gif;
        return picture;
    }
}

} // namespace quil
