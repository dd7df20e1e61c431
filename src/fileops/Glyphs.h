#pragma once

#include <QPixmap>
#include <QString>

class QAbstractButton;

namespace quil {

// A 21x22 button glyph of the program's resources by its name ("TOONE",
// "TOTWO", "TOLEFT", "TORIGHT"); a null picture for an unknown name.
QPixmap glyph(const QString &name);
// Puts the named glyph on a button and keeps the name in its "glyph" property.
void setGlyph(QAbstractButton *button, const QString &name);

} // namespace quil
