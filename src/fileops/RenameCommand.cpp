#include "fileops/RenameCommand.h"

#include "app/TForm1.h"
#include "fileops/CommandSources.h"
#include "fileops/PanelFolder.h"
#include "fileops/SecondPanel.h"
#include "listing/FolderListView.h"
#include "listing/FolderTreeModel.h"
#include "platform/Dialogs.h"
#include "platform/ErrorBox.h"
#include "platform/Services.h"
#include "platform/fileop/ShellFileOperation.h"

#include <QApplication>
#include <QThread>
#include <QTreeView>

#include <cerrno>

namespace quil {

namespace {
const QString kTitle = QStringLiteral("QUIL");

QString renameMessage(const QString &oldName, const QString &newName)
{
    return QStringLiteral("Меняем имя : ") + oldName + QStringLiteral(" - на  -") + newName;
}
} // namespace

RenameCommand::RenameCommand(TForm1 &form, Services &services) : QObject(&form), m_form(form), m_services(services) {}

int RenameCommand::ShellRename(Dialogs &dialogs, const QString &folder, const QString &oldName, const QString &newName,
                               QWidget *owner)
{
    if (isRefusedNewName(newName)) {
        refuseNewName(dialogs, folder + oldName);
        return EINVAL;
    }
    return quil::ShellRename(dialogs, folder + oldName, folder + newName, owner);
}

void RenameCommand::rememberTreeNode()
{
    const QModelIndex node = m_form.ShellTreeView1->currentIndex();
    if (node.isValid())
        m_treeNode = m_form.treeModel()->positionOf(node);
}

void RenameCommand::relist(const QString &path)
{
    runHandler(m_services.dialogs, [this, &path] { m_form.NavigateByPath(path); });
    if (m_secondPanel != nullptr && m_secondPanel->isShown() && m_secondPanel->folderPath() == path)
        m_secondPanel->relist();
}

void RenameCommand::renameByButton()
{
    if (!listHasFocus(m_form.ListView) || m_form.SelectedRow() < 0) {
        m_services.dialogs.message(QStringLiteral("Объект не выбран..."), kTitle, Dialogs::Icon::None);
        return;
    }
    rememberTreeNode();
    const QString path = m_form.listedFolder();
    m_form.SetStatus(QStringLiteral(" Переименование!!! "));
    RenameCurrentEntry();
    m_form.SetStatus(QStringLiteral("Жду команды..."));
    // Gives the system a moment before the folder is read again; the window
    // waits with it.
    QThread::msleep(200);
    relist(path);
    if (m_treeNode >= 0)
        m_form.RefreshTree(m_treeNode);
}

void RenameCommand::RenameCurrentEntry()
{
    const int row = m_form.SelectedRow();
    if (row < 0)
        return;
    const QString oldName = m_form.EntryOfRow(row).name;
    const std::optional<QString> answer =
        m_services.dialogs.inputBox(QStringLiteral("Переименовать"), QStringLiteral("Введите новое имя"), oldName);
    if (!answer)
        return;
    const QString &newName = *answer;
    m_services.dialogs.message(renameMessage(oldName, newName), kTitle, Dialogs::Icon::Information);
    if (newName == oldName)
        return;
    ShellRename(m_services.dialogs, m_form.listedFolder(), oldName, newName, &m_form);
    m_form.EntryToSelect() = newName;
}

void RenameCommand::renameEdited(const QString &folder, const QString &oldName, const QString &newName)
{
    rememberTreeNode();
    m_services.dialogs.message(renameMessage(oldName, newName), kTitle, Dialogs::Icon::Information);
    if (newName == oldName)
        return;
    ShellRename(m_services.dialogs, folder, oldName, newName, &m_form);
    m_form.EntryToSelect() = newName;
    relist(folder);
    if (m_treeNode >= 0)
        m_form.RefreshTree(m_treeNode);
}

void RenameCommand::createFolder()
{
    if (!listHasFocus(m_form.ListView)) {
        m_services.dialogs.message(QStringLiteral("Не выбрано исходной папки..."), kTitle, Dialogs::Icon::None);
        return;
    }
    rememberTreeNode();
    m_form.SetStatus(QStringLiteral("Создание папки."));
    const std::optional<QString> typed = m_services.dialogs.inputBox(
        QStringLiteral("Создать новую папку"), QStringLiteral("Введите имя папки"), QStringLiteral("Новая - "));
    if (!typed)
        return;
    const QString folder = m_form.listedFolder();
    const QString name = createdFolderName(*typed);
    if (!createOneFolder(folder, name)) {
        m_services.dialogs.message(QStringLiteral("Ошибка при создании папки: ") + folder + *typed, kTitle,
                                   Dialogs::Icon::None);
        return;
    }
    if (m_treeNode >= 0)
        m_form.RefreshTree(m_treeNode);
    m_form.EntryToSelect() = name;
    relist(m_form.listedFolder());
}

} // namespace quil
