#include "viewers/PictureLoader.h"

#include "viewers/DibDecoder.h"
#include "viewers/GifDecoder.h"
#include "viewers/IcoDecoder.h"
#include "viewers/JpegDecoder.h"
#include "viewers/PictureError.h"
#include "viewers/PictureFit.h"
#include "viewers/PngDecoder.h"
#include "viewers/ViewedFile.h"
#include "viewers/WmfRenderer.h"

#include <QCoreApplication>

namespace quil {

namespace {

constexpr qint64 kMaxFileSize = qint64(1) << 30;

QByteArray readWholeFile(const QString &path)
{
    ViewedFile file(path);
    const QString tooLarge =
        QCoreApplication::translate("PictureLoader", "Файл слишком велик для просмотра: %1").arg(path);
    const qint64 size = ViewedFile::sizeOf(path);
    if (size > kMaxFileSize)
        throw QuilError(tooLarge);
    QByteArray bytes;
    bytes.reserve(qsizetype(size));
    // Read on to the end: the size taken may be old, or unknown (0).
    constexpr size_t kBlock = size_t(1) << 20;
    for (;;) {
        const qsizetype at = bytes.size();
        if (at > kMaxFileSize)
            throw QuilError(tooLarge);
        bytes.resize(at + qsizetype(kBlock));
        const size_t got = file.read(bytes.data() + at, kBlock, at);
        bytes.resize(at + qsizetype(got));
        if (got < kBlock)
            return bytes;
    }
}

} // namespace

PictureKind PictureLoader::kindOfPath(QStringView path)
{
    const qsizetype dot = path.lastIndexOf(QLatin1Char('.'));
    if (dot < 0)
        return PictureKind::None;
    const QString ext = path.sliced(dot).toString().toUpper();
    if (ext == QLatin1String(".JPG") || ext == QLatin1String(".JPEG"))
        return PictureKind::Jpeg;
    if (ext == QLatin1String(".PNG"))
        return PictureKind::Png;
    if (ext == QLatin1String(".GIF"))
        return PictureKind::Gif;
    if (ext == QLatin1String(".BMP"))
        return PictureKind::Bmp;
    if (ext == QLatin1String(".ICO"))
        return PictureKind::Ico;
    if (ext == QLatin1String(".WMF"))
        return PictureKind::Wmf;
    return PictureKind::None;
}

Picture PictureLoader::load(const QString &path, QSize area)
{
    const PictureKind kind = kindOfPath(path);
    if (kind == PictureKind::None)
        throw QuilError(QCoreApplication::translate("PictureLoader", "Неизвестный формат изображения: %1").arg(path));
    return decode(kind, readWholeFile(path), area);
}

Picture PictureLoader::decode(PictureKind kind, const QByteArray &bytes, QSize area)
{
    Picture picture;
    switch (kind) {
    case PictureKind::Jpeg:
        picture = JpegDecoder::decode(bytes, area);
        picture.source = bytes;
        break;
    case PictureKind::Png:
        picture = PngDecoder::decode(bytes);
        break;
    case PictureKind::Gif:
        picture = GifDecoder::decode(bytes);
        break;
    case PictureKind::Bmp:
        picture.image = DibDecoder::decodeBmpFile(bytes);
        picture.size = picture.image.size();
        picture.kind = PictureKind::Bmp;
        break;
    case PictureKind::Ico:
        picture = IcoDecoder::decode(bytes);
        break;
    case PictureKind::Wmf:
        picture = WmfRenderer::decode(bytes, area);
        picture.source = bytes;
        break;
    case PictureKind::None:
        throw QuilError(QCoreApplication::translate("PictureLoader", "Неизвестный формат изображения"));
    }
    return picture;
}

bool PictureLoader::needsRedecode(const Picture &picture, QSize area)
{
    if (picture.source.isEmpty() || picture.isNull())
        return false;
    const QSize drawn = fitPictureRect(picture.size, area).size();
    if (picture.image.width() >= drawn.width() && picture.image.height() >= drawn.height())
        return false;
    if (picture.kind == PictureKind::Jpeg)
        return picture.image.size() != picture.size; // a full-size decode is as sharp as it gets
    return picture.image.width() < 4096 && picture.image.height() < 4096;
}

} // namespace quil
