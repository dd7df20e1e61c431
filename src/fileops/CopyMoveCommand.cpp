#include "fileops/CopyMoveCommand.h"

#include "fileops/CommandSources.h"
#include "fileops/MainList.h"
#include "fileops/MarksController.h"
#include "fileops/PanelFolder.h"
#include "fileops/SecondPanel.h"
#include "fileops/TransferOperation.h"
#include "platform/Dialogs.h"
#include "platform/ErrorBox.h"
#include "platform/Services.h"
#include "platform/fileop/ShellFileOperation.h"
#include <QCoreApplication>

namespace quil {

namespace {
const QString kTitle = QStringLiteral("QUIL");
QString execute()
{
    return QCoreApplication::translate("CopyMoveCommand", " В Ы П О Л Н И Т Ь ?");
}
constexpr int kCopyNamesShown = 6;
} // namespace

struct CopyMoveCommand::Kind
{
    int operation;
    QString nameTitle;
    QString confirmTitle;
    QString failure;
};

CopyMoveCommand::CopyMoveCommand(MainList &list, Services &services, QObject *parent)
    : QObject(parent), m_list(list), m_services(services)
{}

bool CopyMoveCommand::transfer(const Kind &kind, const CommandSources &sources, const FolderPath &folder,
                               const QString &text)
{
    Dialogs &dialogs = m_services.dialogs;
    if (sources.paths.size() == 1) {
        const QString &name = sources.names.first();
        const std::optional<QString> typed =
            dialogs.inputBox(kind.nameTitle, QCoreApplication::translate("CopyMoveCommand", "Имя объекта"), name);
        if (!typed)
            return false;
        if (*typed != name) {
            // A new name with "/" or a zero byte would name another place: nothing moves.
            bool ok = false;
            if (isRefusedNewName(*typed))
                refuseNewName(dialogs, sources.paths.first());
            else
                ok = transferFiles(dialogs, sources.paths, folder.filePath(*typed), kind.operation,
                                   m_list.ownerWindow());
            if (ok)
                m_list.marks().clearMarks();
            return true;
        }
    } else if (!dialogs.askYesNo(text, kind.confirmTitle, Dialogs::Icon::Question)) {
        return false;
    }
    // The target's trailing "/" tells the operation it must be a folder.
    if (transferFiles(dialogs, sources.paths, folder.withTrailingSlash(), kind.operation, m_list.ownerWindow()))
        m_list.marks().clearMarks();
    else
        dialogs.message(kind.failure, kTitle, Dialogs::Icon::None);
    return true;
}

void CopyMoveCommand::copy()
{
    const int currentRow = commandRow(m_list, m_services.dialogs);
    SecondPanel *panel = m_list.secondPanel();
    if (currentRow < 0 || panel == nullptr)
        return;
    m_list.setStatus(QCoreApplication::translate("CopyMoveCommand", " Копирование..."));
    if (!panel->isShown())
        panel->showPanel();
    const CommandSources sources = collectSources(m_list.listing(), currentRow);
    const FolderPath folder = panel->folderPath();
    const QString text =
        QCoreApplication::translate("CopyMoveCommand", "Корировать : ") + QString::number(sources.paths.size()) +
        QCoreApplication::translate("CopyMoveCommand", " объект(ов)\r\n") + nameLines(sources.names, kCopyNamesShown) +
        QCoreApplication::translate("CopyMoveCommand", "В папку : ") + folder.withTrailingSlash() +
        QStringLiteral("\r\n\r\n") + execute();
    const Kind kind{FO_COPY, QCoreApplication::translate("CopyMoveCommand", "Копировать с именем"),
                    QCoreApplication::translate("CopyMoveCommand", "КОПИРОВАНИЕ / COPY !!!"),
                    QCoreApplication::translate("CopyMoveCommand", "Ошибка при выполнении копирования ")};
    if (transfer(kind, sources, folder, text))
        panel->relist();
}

void CopyMoveCommand::move()
{
    const int currentRow = commandRow(m_list, m_services.dialogs);
    SecondPanel *panel = m_list.secondPanel();
    if (currentRow < 0 || panel == nullptr)
        return;
    const int treeNode = m_list.selectedTreeNode();
    m_list.setStatus(QCoreApplication::translate("CopyMoveCommand", "Перемещение..."));
    if (!panel->isShown())
        panel->showPanel();
    const CommandSources sources = collectSources(m_list.listing(), currentRow);
    if (!sources.fromMarks)
        m_list.entryToSelect() = nameAfterRow(m_list.listing(), currentRow);
    const FolderPath folder = panel->folderPath();
    const QString text = QCoreApplication::translate("CopyMoveCommand", "Переместить : ") +
                         QString::number(sources.paths.size()) +
                         QCoreApplication::translate("CopyMoveCommand", "\r\n\r\nВ папку : ") +
                         folder.withTrailingSlash() + QStringLiteral("\r\n\r\n") + execute();
    const Kind kind{FO_MOVE, QCoreApplication::translate("CopyMoveCommand", "Переместить с именем"),
                    QCoreApplication::translate("CopyMoveCommand", "ПЕРЕМЕЩЕНИЕ / MOVE !!!"),
                    QCoreApplication::translate("CopyMoveCommand", "Операция не выполнена")};
    if (!transfer(kind, sources, folder, text))
        return;
    panel->relist();
    if (treeNode >= 0)
        m_list.refreshTree(treeNode);
    runHandler(m_services.dialogs, [this] { m_list.relistFolder(); });
}

} // namespace quil
