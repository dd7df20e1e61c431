#pragma once

#include <QColor>

class QAbstractButton;
class QIcon;
class QImage;
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

// The least contrast the strokes of a glyph keep against the window on a
// dark palette (what graphics need, less than text).
constexpr double kReadableGlyphContrast = 3.0;

// A glyph drawn for light windows as the palette shows it: on a light palette
// the picture itself; on a dark one its pixels that keep less than
// kReadableGlyphContrast against the window take the window-text colour, with
// their transparency, so a black cross stays a cross and colours stay.
QImage readableGlyph(const QImage &picture, const QPalette &palette);
// The same for every size of an icon.
QIcon readableGlyph(const QIcon &icon, const QPalette &palette);
// Puts an icon drawn for light windows on a button, readable on the button's
// palette now and after the palette changes.
void setReadableIcon(QAbstractButton *button, const QIcon &icon);

} // namespace quil
