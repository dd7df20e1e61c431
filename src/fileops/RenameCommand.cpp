#include "fileops/RenameCommand.h"

#include "fileops/CommandSources.h"
#include "fileops/MainList.h"
#include "fileops/PanelFolder.h"
#include "fileops/SecondPanel.h"
#include "listing/FolderListing.h"
#include "platform/Dialogs.h"
#include "platform/ErrorBox.h"
#include "platform/Services.h"
#include "platform/fileop/ShellFileOperation.h"

#include <QThread>

#include <QCoreApplication>
#include <cerrno>

namespace quil {

namespace {
const QString kTitle = QStringLiteral("QUIL");

QString renameMessage(const QString &oldName, const QString &newName)
{
    return QCoreApplication::translate("RenameCommand", "Меняем имя : ") + oldName +
           QCoreApplication::translate("RenameCommand", " - на  -") + newName;
}
} // namespace

RenameCommand::RenameCommand(MainList &list, Services &services, QObject *parent)
    : QObject(parent), m_list(list), m_services(services)
{}

int RenameCommand::renameInFolder(Dialogs &dialogs, const FolderPath &folder, const QString &oldName,
                                  const QString &newName, QWidget *owner)
{
    if (isRefusedNewName(newName)) {
        refuseNewName(dialogs, entryPathIn(folder, oldName));
        return EINVAL;
    }
    return quil::ShellRename(dialogs, entryPathIn(folder, oldName), entryPathIn(folder, newName), owner);
}

void RenameCommand::rememberTreeNode()
{
    if (const int node = m_list.selectedTreeNode(); node >= 0)
        m_treeNode = node;
}

void RenameCommand::relist(const FolderPath &path)
{
    runHandler(m_services.dialogs, [this, &path] { m_list.navigateByPath(path); });
    if (m_secondPanel != nullptr && m_secondPanel->isShown() && m_secondPanel->folderPath() == path)
        m_secondPanel->relist();
}

void RenameCommand::renameByButton()
{
    if (!m_list.listHasFocus() || m_list.currentRow() < 0) {
        m_services.dialogs.message(QCoreApplication::translate("RenameCommand", "Объект не выбран..."), kTitle,
                                   Dialogs::Icon::None);
        return;
    }
    rememberTreeNode();
    const FolderPath path = m_list.listedFolder();
    m_list.setStatus(QCoreApplication::translate("RenameCommand", " Переименование!!! "));
    RenameCurrentEntry(path);
    m_list.setStatus(QCoreApplication::translate("RenameCommand", "Жду команды..."));
    // Gives the system a moment before the folder is read again; the window
    // waits with it.
    QThread::msleep(200);
    relist(path);
    if (m_treeNode >= 0)
        m_list.refreshTree(m_treeNode);
}

void RenameCommand::RenameCurrentEntry(const FolderPath &folder)
{
    const int row = m_list.currentRow();
    if (row < 0)
        return;
    const QString oldName = m_list.listing().entry(row).name;
    const std::optional<QString> answer =
        m_services.dialogs.inputBox(QCoreApplication::translate("RenameCommand", "Переименовать"),
                                    QCoreApplication::translate("RenameCommand", "Введите новое имя"), oldName);
    if (!answer)
        return;
    const QString &newName = *answer;
    m_services.dialogs.message(renameMessage(oldName, newName), kTitle, Dialogs::Icon::Information);
    if (newName == oldName)
        return;
    renameInFolder(m_services.dialogs, folder, oldName, newName, m_list.ownerWindow());
    m_list.entryToSelect() = newName;
}

void RenameCommand::renameEdited(const FolderPath &folder, const QString &oldName, const QString &newName)
{
    rememberTreeNode();
    m_services.dialogs.message(renameMessage(oldName, newName), kTitle, Dialogs::Icon::Information);
    if (newName == oldName)
        return;
    renameInFolder(m_services.dialogs, folder, oldName, newName, m_list.ownerWindow());
    m_list.entryToSelect() = newName;
    relist(folder);
    if (m_treeNode >= 0)
        m_list.refreshTree(m_treeNode);
}

void RenameCommand::createFolder()
{
    if (!m_list.listHasFocus()) {
        m_services.dialogs.message(QCoreApplication::translate("RenameCommand", "Не выбрано исходной папки..."), kTitle,
                                   Dialogs::Icon::None);
        return;
    }
    rememberTreeNode();
    const FolderPath folder = m_list.listedFolder();
    m_list.setStatus(QCoreApplication::translate("RenameCommand", "Создание папки."));
    const std::optional<QString> typed =
        m_services.dialogs.inputBox(QCoreApplication::translate("RenameCommand", "Создать новую папку"),
                                    QCoreApplication::translate("RenameCommand", "Введите имя папки"),
                                    QCoreApplication::translate("RenameCommand", "Новая - "));
    if (!typed)
        return;
    const QString name = createdFolderName(*typed);
    if (isLocationFolder(folder) ? !createOneLocationFolder(folder, name) : !createOneFolder(folder, name)) {
        m_services.dialogs.message(QCoreApplication::translate("RenameCommand", "Ошибка при создании папки: ") +
                                       folder.filePath(*typed),
                                   kTitle, Dialogs::Icon::None);
        return;
    }
    if (m_treeNode >= 0)
        m_list.refreshTree(m_treeNode);
    m_list.entryToSelect() = name;
    relist(folder);
}

} // namespace quil
