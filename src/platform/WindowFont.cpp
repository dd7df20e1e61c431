#include "platform/WindowFont.h"

namespace quil {

QFont arialBold(int pixels)
{
    QFont font(QStringLiteral("Liberation Sans"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(pixels);
    font.setBold(true);
    return font;
}

} // namespace quil
