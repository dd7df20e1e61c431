#pragma once

#include "viewers/Picture.h"

#include <QByteArray>
#include <QSize>
#include <QString>
#include <QStringView>

namespace quil {

// Reads picture files with the codec their extension names. Errors (the
// file cannot be read, or is not a valid picture of its kind) are raised as
// OsError or QuilError, whose text the general error box shows.
class PictureLoader
{
public:
    // The codec of a path: its extension from the last dot, upper-cased:
    // ".JPG" and ".JPEG", ".PNG", ".GIF", ".BMP", ".ICO", ".WMF"; None otherwise.
    static PictureKind kindOfPath(QStringView path);

    // Reads the whole file (at most 1 GiB) and decodes it. `area` is the size
    // the picture will be drawn into; JPEG and WMF decode for it (see
    // JpegDecoder, WmfRenderer), an empty area means full size.
    static Picture load(const QString &path, QSize area);

    // Decodes bytes already read. The returned picture keeps the bytes in
    // `source` when its image depends on the area.
    static Picture decode(PictureKind kind, const QByteArray &bytes, QSize area);

    // True when a picture decoded for a smaller area should be decoded again
    // from its source for this area (its image would be enlarged).
    static bool needsRedecode(const Picture &picture, QSize area);
};

} // namespace quil
