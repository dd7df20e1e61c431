#include "fileops/Glyphs.h"

#include "platform/ReadableColour.h"

#include <QAbstractButton>

namespace quil {

QPixmap glyph(const QString &name)
{
    return QPixmap(QStringLiteral(":/glyphs/") + name);
}

void setGlyph(QAbstractButton *button, const QString &name)
{
    const QPixmap picture = glyph(name);
    QIcon icon(picture);
    // Pixel art doubled pixel by pixel stays sharp on a scaled screen, where
    // the icon's own smooth scaling would blur it.
    for (const int factor : {2, 3}) {
        QPixmap scaled = picture.scaled(picture.size() * factor, Qt::IgnoreAspectRatio, Qt::FastTransformation);
        scaled.setDevicePixelRatio(factor);
        icon.addPixmap(scaled);
    }
    setReadableIcon(button, icon);
    button->setIconSize(picture.size());
    button->setProperty("glyph", name);
}

} // namespace quil
