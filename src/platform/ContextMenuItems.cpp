#include "platform/ContextMenuItems.h"

#include "platform/FolderPath.h"
#include "platform/SettingsFiles.h"

namespace quil {

MenuTarget menuTargetOf(const QString &path, const QList<MountPointFlag> &mountPoints)
{
    MenuTarget target;
    if (!path.startsWith(QLatin1Char('/')))
        return target;
    const bool area = path.endsWith(QLatin1Char('/'));
    const FolderPath item(path);
    target.path = item.path();
    if (area) {
        for (const MountPointFlag &volume : mountPoints) {
            if (FolderPath(volume.mountPoint) == item) {
                target.kind = MenuTarget::Kind::Volume;
                target.removable = volume.removable;
                return target;
            }
        }
    }
    if (directoryExists(target.path))
        target.kind = area ? MenuTarget::Kind::FolderArea : MenuTarget::Kind::Folder;
    else if (!area && fileExists(target.path))
        target.kind = MenuTarget::Kind::File;
    return target;
}

QList<MenuItem> menuItemsFor(const MenuTarget &target)
{
    using C = MenuCommand;
    using K = MenuTarget::Kind;
    const auto item = [](C command, const char *text) { return MenuItem{command, QString::fromUtf8(text)}; };
    switch (target.kind) {
    case K::None:
        return {};
    case K::Volume: {
        QList<MenuItem> items{item(C::Open, "Открыть"), item(C::Properties, "Свойства")};
        if (target.removable)
            items.append(item(C::Eject, "Извлечь"));
        return items;
    }
    case K::FolderArea:
        return {item(C::Open, "Открыть"), item(C::OpenWith, "Открыть с помощью"), item(C::Copy, "Копировать"),
                item(C::Paste, "Вставить"), item(C::Properties, "Свойства")};
    case K::File:
    case K::Folder:
        break;
    }
    QList<MenuItem> items{item(C::Open, "Открыть"), item(C::OpenWith, "Открыть с помощью"), item(C::Cut, "Вырезать"),
                          item(C::Copy, "Копировать")};
    if (target.kind == K::Folder)
        items.append(item(C::Paste, "Вставить"));
    items += {item(C::Delete, "Удалить"), item(C::Rename, "Переименовать"), item(C::Properties, "Свойства")};
    return items;
}

} // namespace quil
