#pragma once

#include <QColor>

class QPalette;

namespace quil {

// WCAG relative luminance of a colour, 0 (black) to 1 (white).
double relativeLuminance(const QColor &colour);
// WCAG contrast ratio of two colours, 1 to 21.
double contrastRatio(const QColor &a, const QColor &b);

// A palette is dark when its window text is lighter than its window.
bool isDarkPalette(const QPalette &palette);

// The least contrast a text colour keeps against its background on a dark
// palette.
constexpr double kReadableContrast = 4.5;

// The colour the program draws a text in that the window design gives a
// fixed colour: the design's colour on a light palette; on a dark one the
// same hue lightened until it keeps kReadableContrast against background.
QColor textColourOn(const QColor &designed, const QColor &background, const QPalette &palette);

} // namespace quil
