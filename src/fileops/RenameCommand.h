#pragma once

#include "platform/FolderPath.h"

#include <QObject>
#include <QString>

class QWidget;

namespace quil {

class Dialogs;
class MainList;
class SecondPanel;
struct Services;

// Rename by button and in place, and create folder, for the main window's
// list: the questions, the rename through the file operation, the re-listing
// with the new name selected and the tree refresh.
class RenameCommand : public QObject
{
    Q_OBJECT
public:
    RenameCommand(MainList &list, Services &services, QObject *parent = nullptr);

    // The panel refreshed too when it shows the main list's folder.
    void setSecondPanel(SecondPanel *panel) { m_secondPanel = panel; }

    // SpeedButton3: needs the list focused with a current row.
    void renameByButton();
    // The input box, the information message and the rename itself, in the
    // folder the command started in.
    void RenameCurrentEntry(const FolderPath &folder);
    // The in-place editor accepted newName for the entry named oldName of
    // folder (the one listed when the edit ended); folder is listed again.
    void renameEdited(const FolderPath &folder, const QString &oldName, const QString &newName);
    // SpeedButton8: one new folder in the listed folder, as it was when the
    // command started.
    void createFolder();

    // Renames the entry oldName of folder to newName without ever replacing another item: a taken name gets "name (2)"
    // and so on. A new name the system must not see (empty, ".", "..", a "/" or a zero byte) is refused with the file
    // operation's error question for the item. Returns 0 on success, otherwise an errno.
    static int renameInFolder(Dialogs &dialogs, const FolderPath &folder, const QString &oldName,
                              const QString &newName, QWidget *owner);

private:
    void rememberTreeNode();
    // Lists the folder again in the main list, and in the second panel when
    // it shows the same folder.
    void relist(const FolderPath &path);

    MainList &m_list;
    Services &m_services;
    SecondPanel *m_secondPanel = nullptr;
    int m_treeNode = -1;
};

} // namespace quil
