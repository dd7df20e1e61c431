#include "shell/ContextMenuController.h"

#include "fileops/DeleteCommand.h"
#include "fileops/MainList.h"
#include "fileops/UndoCommand.h"
#include "listing/FolderListing.h"
#include "listing/TShellItem.h"
#include "platform/Dialogs.h"
#include "platform/DocumentOpening.h"
#include "platform/ErrorBox.h"
#include "platform/FileClipboard.h"
#include "platform/FolderPath.h"
#include "platform/Launcher.h"
#include "platform/NativePath.h"
#include "platform/OpenWithApplications.h"
#include "platform/OsError.h"
#include "platform/Services.h"
#include "platform/SettingsFiles.h"
#include "platform/VolumeEject.h"
#include "platform/Volumes.h"
#include "platform/fileop/ShellFileOperation.h"
#include "platform/gio/GioLocation.h"
#include "platform/gio/TrashFolder.h"
#include "shell/PropertiesWindow.h"

#include <QCursor>
#include <QFileInfo>
#include <QMenu>
#include <QWindow>

#include <QCoreApplication>
#include <cerrno>

namespace quil {

namespace {

QList<MountPointFlag> mountPointFlags()
{
    QList<MountPointFlag> flags;
    for (const Volume &volume : Volumes::list())
        flags.append({volume.mountPoint, volume.removable});
    return flags;
}

// The path the menu gets for an entry: a volume of the computer folder as its
// mount point with "/", anything else by its full path.
QString menuPathOf(const TShellItem &entry)
{
    const ItemId &id = entry.folderChild.id;
    if (id.kind() == ItemId::Kind::Volume)
        return FolderPath(id.path()).withTrailingSlash();
    // An item of the trash goes by its URI (the menu's other places do not
    // take a location's items).
    if (id.isLocation())
        return id.path().startsWith(QLatin1String("trash:///")) ? FolderPath(id.path()).path() : QString();
    return id.isFileSystem() ? id.path() : QString();
}

} // namespace

ContextMenuController::ContextMenuController(MainList &list, Services &services, QObject *parent)
    : QObject(parent), m_list(list), m_services(services)
{}

void ContextMenuController::popup()
{
    popupAt(QCursor::pos());
}

void ContextMenuController::popupAt(const QPoint &point)
{
    const int row = m_list.currentRow();
    QString path;
    if (row >= 0) {
        const TShellItem &entry = m_list.listing().entry(row);
        m_list.entryToSelect() = entry.name;
        path = menuPathOf(entry);
    } else {
        path = m_list.listedFolder().withTrailingSlash(); // the folder's own area
    }
    m_renameAfterListing.clear();
    if (!runHandler(m_services.dialogs, [&] { ShowShellContextMenu(path, point, m_list.ownerWindow()); }))
        return;
    runHandler(m_services.dialogs, [this] { m_list.relistFolder(); });
    if (!m_renameAfterListing.isEmpty())
        startRename(m_renameAfterListing);
}

ContextMenuController::Outcome ContextMenuController::ShowShellContextMenu(const QString &path, const QPoint &point,
                                                                           QWidget *owner)
{
    const MenuTarget target = menuTargetOf(path, mountPointFlags());
    const QList<MenuItem> items = menuItemsFor(target);
    if (items.isEmpty())
        return Outcome::Dismissed;
    // A menu of its own, not a child of the owner: screen readers find an
    // open popup among the application's windows only when it has no parent
    // widget (one with a parent would be claimed by a window that does not
    // list it). The window system still learns whose menu it is.
    QMenu menu;
    menu.setObjectName(QStringLiteral("PopupMenu1"));
    if (owner != nullptr) {
        menu.winId();
        menu.windowHandle()->setTransientParent(owner->window()->windowHandle());
    }
    Picked picked;
    for (const MenuItem &item : items) {
        if (item.command == MenuCommand::OpenWith) {
            addOpenWith(menu, target, picked);
            continue;
        }
        QAction *action = menu.addAction(item.text);
        if (item.command == MenuCommand::Paste)
            action->setEnabled(!filesOnClipboard().isEmpty());
        const MenuCommand command = item.command;
        connect(action, &QAction::triggered, &menu, [&picked, command] { picked = {true, command, {}}; });
    }
    // The newest file operation of this run, undone as by Ctrl+Z.
    QAction *undo = menu.addAction(UndoCommand::menuText());
    undo->setEnabled(UndoCommand::canUndo());
    bool undoPicked = false;
    connect(undo, &QAction::triggered, &menu, [&undoPicked] { undoPicked = true; });
    Q_EMIT menuShown(&menu);
    menu.exec(point);
    if (undoPicked) {
        UndoCommand(m_list, m_services).run();
        return Outcome::Ran;
    }
    if (!picked.picked)
        return Outcome::Dismissed;
    run(target, picked, owner);
    return Outcome::Ran;
}

void ContextMenuController::addOpenWith(QMenu &menu, const MenuTarget &target, Picked &picked)
{
    QMenu *submenu = menu.addMenu(QCoreApplication::translate("ContextMenuController", "Открыть с помощью"));
    submenu->setObjectName(QStringLiteral("OpenWithMenu"));
    for (const OpenWithApplication &application : applicationsFor(target.path)) {
        QAction *action = submenu->addAction(application.icon, application.name);
        action->setData(application.id);
        const QString id = application.id;
        connect(action, &QAction::triggered, &menu, [&picked, id] { picked = {true, MenuCommand::OpenWith, id}; });
    }
    submenu->addSeparator();
    QAction *other = submenu->addAction(QCoreApplication::translate("ContextMenuController", "Другое приложение..."));
    connect(other, &QAction::triggered, &menu, [&picked] { picked = {true, MenuCommand::OpenWith, {}}; });
}

void ContextMenuController::run(const MenuTarget &target, const Picked &picked, QWidget *owner)
{
    switch (picked.command) {
    case MenuCommand::Open:
        open(target);
        break;
    case MenuCommand::OpenWith:
        openWith(target, picked.application);
        break;
    case MenuCommand::Cut:
    case MenuCommand::Copy:
        putFilesOnClipboard({{target.path}, picked.command == MenuCommand::Cut, {}, {}});
        break;
    case MenuCommand::Paste:
        paste(target.path, owner);
        break;
    case MenuCommand::Delete:
        if (target.kind == MenuTarget::Kind::TrashItem) {
            DeleteCommand::confirmAndDeleteFromTrash(m_services.dialogs, {target.path},
                                                     {ItemId::location(target.path).fileName()}, owner);
            break;
        }
        // The same question and file operation as the Delete command's.
        DeleteCommand::confirmAndDelete(m_services.dialogs, {target.path}, {QFileInfo(target.path).fileName()}, owner);
        break;
    case MenuCommand::Rename:
        // The editor opens on the row once the folder has been listed again.
        m_renameAfterListing = QFileInfo(target.path).fileName();
        break;
    case MenuCommand::Properties: {
        PropertiesWindow window(m_services.dialogs, target.path,
                                target.kind == MenuTarget::Kind::Volume ? PropertiesWindow::Kind::Volume
                                                                        : PropertiesWindow::Kind::Item,
                                owner);
        window.exec();
        break;
    }
    case MenuCommand::Eject:
        if (const QString failure = ejectVolume(target.path); !failure.isEmpty())
            throw QuilError(failure);
        break;
    case MenuCommand::Restore:
        trashCommand(TrashCommand::Restore, target.path);
        break;
    case MenuCommand::EmptyTrash:
        trashCommand(TrashCommand::Empty, target.path);
        break;
    }
}

void ContextMenuController::trashCommand(TrashCommand command, const QString &itemUri)
{
    const QString title = QCoreApplication::translate("ContextMenuController", "Корзина");
    QString failure;
    switch (command) {
    case TrashCommand::Restore:
        failure = restoreFromTrash(itemUri);
        break;
    case TrashCommand::Empty:
        if (!m_services.dialogs.askYesNo(
                QCoreApplication::translate("ContextMenuController",
                                            "Очистить корзину? Все объекты в ней будут удалены навсегда."),
                title, Dialogs::Icon::Question))
            return;
        failure = emptyTrash();
        break;
    }
    if (!failure.isEmpty())
        throw QuilError(failure);
}

void ContextMenuController::open(const MenuTarget &target)
{
    // An archive opens as a read-only folder, as Enter opens it.
    if (target.kind == MenuTarget::Kind::File && isArchiveName(target.path)) {
        m_list.navigateByPath(FolderPath(archiveLocation(toNative(target.path))));
        return;
    }
    if (target.kind == MenuTarget::Kind::File) {
        openDocumentOrChoose(m_services.dialogs, m_services.launcher, target.path);
        return;
    }
    m_list.navigateByPath(FolderPath(target.path));
}

void ContextMenuController::openWith(const MenuTarget &target, const QString &application)
{
    if (!application.isEmpty()) {
        if (!m_services.launcher.openWith(application, target.path))
            throw OsError(0);
        return;
    }
    const std::optional<QString> program = m_services.dialogs.openFile(
        QCoreApplication::translate("ContextMenuController", "Другое приложение..."),
        {QCoreApplication::translate("ContextMenuController", "Программы|*")}, QStringLiteral("/usr/bin"));
    if (!program)
        return;
    if (!m_services.launcher.run(*program, target.path, Launcher::ArgumentForm::OneArgument))
        throw OsError(ENOENT);
}

void ContextMenuController::paste(const QString &folder, QWidget *owner)
{
    const ClipboardFiles files = filesOnClipboard();
    // file://host/path names another machine's file: the local file of that
    // path is not it and must not be moved or copied.
    if (!files.otherHosts.isEmpty()) {
        m_services.dialogs.message(
            QCoreApplication::translate("ContextMenuController", "Вставка отменена: файлы на другом компьютере\r\n") +
                files.otherHosts.join(QStringLiteral("\r\n")),
            QStringLiteral("QUIL"), Dialogs::Icon::Warning);
        return;
    }
    if (files.paths.isEmpty())
        return;
    // The trailing "/" tells the operation that the target must be a folder.
    const bool done = ShellFileOperation(m_services.dialogs, files.paths, FolderPath(folder).withTrailingSlash(),
                                         files.cut ? FO_MOVE : FO_COPY, FOF_ALLOWUNDO, owner);
    // A moved file is no longer where the clipboard says.
    if (done && files.cut)
        clearClipboard();
}

void ContextMenuController::startRename(const QString &name)
{
    const int row = m_list.listing().findEntry(name);
    if (row >= 0)
        m_list.startNameEdit(row);
}

} // namespace quil
