#include "platform/ContextMenuItems.h"

#include "platform/FolderPath.h"
#include "platform/SettingsFiles.h"

#include <QCoreApplication>

namespace quil {

MenuTarget menuTargetOf(const QString &path, const QList<MountPointFlag> &mountPoints)
{
    MenuTarget target;
    const QLatin1StringView trash("trash:///");
    if (path.startsWith(trash)) {
        target.kind = path == trash ? MenuTarget::Kind::TrashArea : MenuTarget::Kind::TrashItem;
        target.path = path;
        return target;
    }
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
    const auto item = [](C command, const char *text) {
        return MenuItem{command, QCoreApplication::translate("ContextMenuItems", text)};
    };
    switch (target.kind) {
    case K::None:
        return {};
    case K::Volume: {
        QList<MenuItem> items{item(C::Open, QT_TRANSLATE_NOOP("ContextMenuItems", "Открыть")),
                              item(C::Properties, QT_TRANSLATE_NOOP("ContextMenuItems", "Свойства"))};
        if (target.removable)
            items.append(item(C::Eject, QT_TRANSLATE_NOOP("ContextMenuItems", "Извлечь")));
        return items;
    }
    case K::FolderArea:
        return {item(C::Open, QT_TRANSLATE_NOOP("ContextMenuItems", "Открыть")),
                item(C::OpenWith, QT_TRANSLATE_NOOP("ContextMenuItems", "Открыть с помощью")),
                item(C::Copy, QT_TRANSLATE_NOOP("ContextMenuItems", "Копировать")),
                item(C::Paste, QT_TRANSLATE_NOOP("ContextMenuItems", "Вставить")),
                item(C::Properties, QT_TRANSLATE_NOOP("ContextMenuItems", "Свойства"))};
    case K::TrashItem:
        return {item(C::Restore, QT_TRANSLATE_NOOP("ContextMenuItems", "Восстановить")),
                item(C::Delete, QT_TRANSLATE_NOOP("ContextMenuItems", "Удалить")),
                item(C::EmptyTrash, QT_TRANSLATE_NOOP("ContextMenuItems", "Очистить корзину"))};
    case K::TrashArea:
        return {item(C::EmptyTrash, QT_TRANSLATE_NOOP("ContextMenuItems", "Очистить корзину"))};
    case K::File:
    case K::Folder:
        break;
    }
    QList<MenuItem> items{item(C::Open, QT_TRANSLATE_NOOP("ContextMenuItems", "Открыть")),
                          item(C::OpenWith, QT_TRANSLATE_NOOP("ContextMenuItems", "Открыть с помощью")),
                          item(C::Cut, QT_TRANSLATE_NOOP("ContextMenuItems", "Вырезать")),
                          item(C::Copy, QT_TRANSLATE_NOOP("ContextMenuItems", "Копировать"))};
    if (target.kind == K::Folder)
        items.append(item(C::Paste, QT_TRANSLATE_NOOP("ContextMenuItems", "Вставить")));
    items += {item(C::Delete, QT_TRANSLATE_NOOP("ContextMenuItems", "Удалить")),
              item(C::Rename, QT_TRANSLATE_NOOP("ContextMenuItems", "Переименовать")),
              item(C::Properties, QT_TRANSLATE_NOOP("ContextMenuItems", "Свойства"))};
    return items;
}

} // namespace quil
