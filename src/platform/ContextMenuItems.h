#pragma once

#include <QList>
#include <QString>

namespace quil {

// What the context menu is for, told apart by its path: a file or folder
// entry (no trailing "/"), a folder shown in the list (its path ending in
// "/", the empty area), a volume (a mount point ending in "/"), or an item
// of the trash (its trash:/// URI) or the trash's own area ("trash:///").
struct MenuTarget
{
    enum class Kind { None, File, Folder, FolderArea, Volume, TrashItem, TrashArea };
    Kind kind = Kind::None;
    QString path;           // without a trailing "/" except for "/" itself
    bool removable = false; // a volume that can be ejected
};

// The commands of the menu, in the order they are shown.
enum class MenuCommand { Open, OpenWith, Cut, Copy, Paste, Delete, Rename, Properties, Eject, Restore, EmptyTrash };

struct MenuItem
{
    MenuCommand command;
    QString text;
};

// The target a path names, read from the file system (one stat); a volume
// when the path, ending in "/", is the mount point of one of the volumes
// (mountPoints, with their removable flags). None for a missing item or a
// path that is no absolute one (the computer folder).
struct MountPointFlag
{
    QString mountPoint;
    bool removable = false;
};
MenuTarget menuTargetOf(const QString &path, const QList<MountPointFlag> &mountPoints);

// The items for a target: a file or folder gets Открыть, Открыть с помощью,
// Вырезать, Копировать, Вставить (folders only), Удалить, Переименовать,
// Свойства; the empty area of a folder gets Открыть, Открыть с помощью,
// Копировать, Вставить, Свойства; a volume Открыть, Свойства and, when
// removable, Извлечь; an item of the trash Восстановить, Удалить (for
// good) and Очистить корзину, the trash's area Очистить корзину. Nothing for
// None.
QList<MenuItem> menuItemsFor(const MenuTarget &target);

} // namespace quil
