#include "platform/ReadableColour.h"

#include "platform/EventHook.h"

#include <QAbstractButton>
#include <QIcon>
#include <QImage>
#include <QPalette>
#include <QPixmap>

#include <algorithm>
#include <cmath>

namespace quil {

namespace {
double linear(double channel)
{
    return channel <= 0.04045 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
}
} // namespace

double relativeLuminance(const QColor &colour)
{
    const QColor rgb = colour.toRgb();
    return 0.2126 * linear(rgb.redF()) + 0.7152 * linear(rgb.greenF()) + 0.0722 * linear(rgb.blueF());
}

double contrastRatio(const QColor &a, const QColor &b)
{
    const double la = relativeLuminance(a);
    const double lb = relativeLuminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

bool isDarkPalette(const QPalette &palette)
{
    return relativeLuminance(palette.color(QPalette::WindowText)) > relativeLuminance(palette.color(QPalette::Window));
}

QColor textColourOn(const QColor &designed, const QColor &background, const QPalette &palette)
{
    if (!isDarkPalette(palette))
        return designed;
    // Mixing towards white keeps the hue (navy stays a blue, red a red) and
    // ends at white, which every dark background reads against.
    const QColor from = designed.toRgb();
    for (int step = 0; step <= 20; ++step) {
        const double t = step / 20.0;
        const QColor mixed =
            QColor::fromRgbF(float(from.redF() + (1 - from.redF()) * t), float(from.greenF() + (1 - from.greenF()) * t),
                             float(from.blueF() + (1 - from.blueF()) * t));
        if (contrastRatio(mixed, background) >= kReadableContrast)
            return mixed;
    }
    return QColor(Qt::white);
}

QImage readableGlyph(const QImage &picture, const QPalette &palette)
{
    if (!isDarkPalette(palette))
        return picture;
    const QColor window = palette.color(QPalette::Window);
    const QColor text = palette.color(QPalette::WindowText);
    QImage result = picture.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < result.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(result.scanLine(y));
        for (int x = 0; x < result.width(); ++x) {
            const QRgb pixel = line[x];
            if (qAlpha(pixel) != 0 && contrastRatio(QColor(pixel), window) < kReadableGlyphContrast)
                line[x] = qRgba(text.red(), text.green(), text.blue(), qAlpha(pixel));
        }
    }
    return result;
}

QIcon readableGlyph(const QIcon &icon, const QPalette &palette)
{
    if (!isDarkPalette(palette) || icon.isNull())
        return icon;
    QList<QSize> sizes = icon.availableSizes();
    if (sizes.isEmpty())
        sizes = {QSize(16, 16), QSize(22, 22), QSize(32, 32), QSize(64, 64)};
    QIcon result;
    for (const QSize &size : sizes) {
        const QImage picture = icon.pixmap(size, 1.0).toImage();
        if (!picture.isNull())
            result.addPixmap(QPixmap::fromImage(readableGlyph(picture, palette)));
    }
    return result;
}

void setReadableIcon(QAbstractButton *button, const QIcon &icon)
{
    static const char *const designed = "quilDesignedIcon";
    const bool hooked = button->property(designed).isValid();
    button->setProperty(designed, QVariant::fromValue(icon));
    button->setIcon(readableGlyph(icon, button->palette()));
    if (hooked)
        return;
    new EventHook(button, QEvent::PaletteChange, [button](QEvent *) {
        button->setIcon(readableGlyph(button->property(designed).value<QIcon>(), button->palette()));
        return false;
    });
}

} // namespace quil
