#include "fileops/Glyphs.h"

#include <QAbstractButton>

namespace quil {

QPixmap glyph(const QString &name)
{
    return QPixmap(QStringLiteral(":/glyphs/") + name);
}

void setGlyph(QAbstractButton *button, const QString &name)
{
    const QPixmap picture = glyph(name);
    button->setIcon(QIcon(picture));
    button->setIconSize(picture.size());
    button->setProperty("glyph", name);
}

} // namespace quil
