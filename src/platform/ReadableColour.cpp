#include "platform/ReadableColour.h"

#include <QPalette>

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

} // namespace quil
