#include "platform/IconList.h"

#include "platform/IconNames.h"

#include <QApplication>
#include <QHash>
#include <QStyle>

namespace quil {

namespace {
QIcon styleIcon(int index)
{
    auto *application = qobject_cast<QApplication *>(QCoreApplication::instance());
    if (application == nullptr)
        return {};
    QStyle::StandardPixmap pixmap = QStyle::SP_FileIcon;
    switch (index) {
    case IconNames::Folder:
    case IconNames::Home:
    case IconNames::Desktop:
        pixmap = QStyle::SP_DirIcon;
        break;
    case IconNames::Computer:
        pixmap = QStyle::SP_ComputerIcon;
        break;
    case IconNames::HardDisk:
        pixmap = QStyle::SP_DriveHDIcon;
        break;
    case IconNames::RemovableDisk:
        pixmap = QStyle::SP_DriveFDIcon;
        break;
    default:
        break;
    }
    return QApplication::style()->standardIcon(pixmap);
}
} // namespace

QIcon IconList::icon(int index)
{
    static QHash<int, QIcon> icons;
    const auto found = icons.constFind(index);
    if (found != icons.constEnd())
        return *found;
    QIcon icon = QIcon::fromTheme(IconNames::name(index));
    if (icon.isNull() && !IconNames::fallback(index).isEmpty())
        icon = QIcon::fromTheme(IconNames::fallback(index));
    if (icon.isNull() && index >= IconNames::FixedCount)
        icon = IconList::icon(IconNames::GenericFile);
    if (icon.isNull())
        icon = styleIcon(index);
    icons.insert(index, icon);
    return icon;
}

} // namespace quil
