#pragma once

#include "platform/OsError.h"

#include <QCoreApplication>
#include <QString>

namespace quil {

// The error raised for a file that is not a valid picture of its kind; the
// general error box shows its text.
[[noreturn]] inline void throwPictureError(const char *format, const QString &reason)
{
    throw QuilError(
        QCoreApplication::translate("PictureError", "Неверное изображение %1: %2").arg(QLatin1String(format), reason));
}

// Decoded pictures above this many pixels are refused, so that a small file
// claiming a huge size cannot exhaust memory (2^26 pixels is 256 MiB as RGBA).
inline constexpr qint64 kMaxPicturePixels = qint64(1) << 26;

} // namespace quil
