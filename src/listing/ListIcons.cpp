#include "listing/ListIcons.h"

#include "platform/IconNames.h"

#include <QApplication>
#include <QHash>
#include <QStyle>

namespace quil {

namespace {
QIcon styleIcon(int iconIndex)
{
    QStyle *style = QApplication::style();
    switch (iconIndex) {
    case IconNames::Folder:
    case IconNames::Home:
    case IconNames::Desktop:
        return style->standardIcon(QStyle::SP_DirIcon);
    case IconNames::Computer:
        return style->standardIcon(QStyle::SP_ComputerIcon);
    case IconNames::HardDisk:
        return style->standardIcon(QStyle::SP_DriveHDIcon);
    case IconNames::RemovableDisk:
        return style->standardIcon(QStyle::SP_DriveFDIcon);
    default:
        return style->standardIcon(QStyle::SP_FileIcon);
    }
}
} // namespace

QIcon listIcon(int iconIndex)
{
    static QHash<int, QIcon> cache;
    const auto found = cache.constFind(iconIndex);
    if (found != cache.constEnd())
        return *found;
    QIcon icon = QIcon::fromTheme(IconNames::name(iconIndex));
    if (icon.isNull() && !IconNames::fallback(iconIndex).isEmpty())
        icon = QIcon::fromTheme(IconNames::fallback(iconIndex));
    if (icon.isNull())
        icon = styleIcon(iconIndex);
    cache.insert(iconIndex, icon);
    return icon;
}

} // namespace quil
