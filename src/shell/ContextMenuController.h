#pragma once

#include "platform/ContextMenuItems.h"

#include <QObject>
#include <QPoint>
#include <QString>

class QMenu;
class QWidget;

namespace quil {

class MainList;
struct Services;

// The main window's context menu: which item it is for, the menu, its
// commands, and the listing afterwards. Commands that change files go
// through the file operation.
class ContextMenuController : public QObject
{
    Q_OBJECT
public:
    ContextMenuController(MainList &list, Services &services, QObject *parent = nullptr);

    // PopupMenu1Popup: the menu at the cursor for the first selected entry
    // (which EntryToSelect then names), or for the path box's folder; after
    // it closes the folder is listed again, but not after an error.
    void popup();
    // The same menu at a point on the screen (the keyboard's menu opens at
    // the current row).
    void popupAt(const QPoint &point);

    enum class Outcome { Dismissed, Ran };
    // Shows the menu for a path (an entry without, a folder or a volume with
    // its trailing "/") at a point on the screen and runs the picked command;
    // windows it opens belong to owner. No menu for an item that is not
    // there. Raises QuilError when the command fails.
    Outcome ShowShellContextMenu(const QString &path, const QPoint &point, QWidget *owner);

    // The menu's "Вставить": the files of the clipboard copied into a folder,
    // or moved after a cut (the clipboard is then cleared); files of other
    // machines are refused whole, with a message.
    void paste(const QString &folder, QWidget *owner);

Q_SIGNALS:
    // The menu is about to be shown (tests pick from it).
    void menuShown(QMenu *menu);

private:
    struct Picked
    {
        bool picked = false;
        MenuCommand command = MenuCommand::Open;
        QString application; // desktop id for OpenWith; empty: another one
    };
    void addOpenWith(QMenu &menu, const MenuTarget &target, Picked &picked);
    void run(const MenuTarget &target, const Picked &picked, QWidget *owner);
    void open(const MenuTarget &target);
    // The trash's own commands on an item (or the whole trash); questions
    // first, failures raised as QuilError.
    enum class TrashCommand { Restore, Empty };
    void trashCommand(TrashCommand command, const QString &itemUri);
    void openWith(const MenuTarget &target, const QString &application);
    void startRename(const QString &name);

    MainList &m_list;
    Services &m_services;
    QString m_renameAfterListing;
};

} // namespace quil
