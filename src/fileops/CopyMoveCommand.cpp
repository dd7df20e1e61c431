#include "fileops/CopyMoveCommand.h"

#include "fileops/CommandSources.h"
#include "fileops/MainList.h"
#include "fileops/MarksController.h"
#include "fileops/PanelFolder.h"
#include "fileops/SecondPanel.h"
#include "fileops/TransferOperation.h"
#include "platform/Dialogs.h"
#include "platform/ErrorBox.h"
#include "platform/LocationUri.h"
#include "platform/Services.h"
#include "platform/fileop/ShellFileOperation.h"
#include <QCoreApplication>

#include <algorithm>

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
    // An archive is read only: a move out of it would leave every source
    // behind after its copy, so it is refused before anything is copied.
    if (kind.operation == FO_MOVE && std::any_of(sources.paths.begin(), sources.paths.end(), isInArchive)) {
        dialogs.message(QCoreApplication::translate("CopyMoveCommand",
                                                    "Архив открыт только для чтения: из него можно только "
                                                    "копировать (F5)."),
                        kTitle, Dialogs::Icon::Warning);
        return false;
    }
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
            if (ok && sources.fromMarks)
                m_list.marks().clearMarks();
            return true;
        }
    } else if (!dialogs.askYesNo(text, kind.confirmTitle, Dialogs::Icon::Question)) {
        return false;
    }
    // The target's trailing "/" tells the operation it must be a folder.
    if (transferFiles(dialogs, sources.paths, folder.withTrailingSlash(), kind.operation, m_list.ownerWindow())) {
        if (sources.fromMarks)
            m_list.marks().clearMarks();
    } else
        dialogs.message(kind.failure, kTitle, Dialogs::Icon::None);
    return true;
}

CopyMoveCommand::Kind CopyMoveCommand::copyKind()
{
    return {FO_COPY, QCoreApplication::translate("CopyMoveCommand", "Копировать с именем"),
            QCoreApplication::translate("CopyMoveCommand", "КОПИРОВАНИЕ / COPY !!!"),
            QCoreApplication::translate("CopyMoveCommand", "Ошибка при выполнении копирования ")};
}

CopyMoveCommand::Kind CopyMoveCommand::moveKind()
{
    return {FO_MOVE, QCoreApplication::translate("CopyMoveCommand", "Переместить с именем"),
            QCoreApplication::translate("CopyMoveCommand", "ПЕРЕМЕЩЕНИЕ / MOVE !!!"),
            QCoreApplication::translate("CopyMoveCommand", "Операция не выполнена")};
}

QString CopyMoveCommand::copyText(const CommandSources &sources, const FolderPath &folder)
{
    return QCoreApplication::translate("CopyMoveCommand", "Корировать : ") + QString::number(sources.paths.size()) +
           QCoreApplication::translate("CopyMoveCommand", " объект(ов)\r\n") +
           nameLines(sources.names, kCopyNamesShown) + QCoreApplication::translate("CopyMoveCommand", "В папку : ") +
           folder.withTrailingSlash() + QStringLiteral("\r\n\r\n") + execute();
}

QString CopyMoveCommand::moveText(const CommandSources &sources, const FolderPath &folder)
{
    return QCoreApplication::translate("CopyMoveCommand", "Переместить : ") + QString::number(sources.paths.size()) +
           QCoreApplication::translate("CopyMoveCommand", "\r\n\r\nВ папку : ") + folder.withTrailingSlash() +
           QStringLiteral("\r\n\r\n") + execute();
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
    if (transfer(copyKind(), sources, folder, copyText(sources, folder)))
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
    if (!transfer(moveKind(), sources, folder, moveText(sources, folder)))
        return;
    panel->relist();
    if (treeNode >= 0)
        m_list.refreshTree(treeNode);
    runHandler(m_services.dialogs, [this] { m_list.relistFolder(); });
}

void CopyMoveCommand::dropFiles(const CommandSources &sources, const FolderPath &folder, bool move)
{
    const int treeNode = m_list.selectedTreeNode();
    m_list.setStatus(move ? QCoreApplication::translate("CopyMoveCommand", "Перемещение...")
                          : QCoreApplication::translate("CopyMoveCommand", " Копирование..."));
    const bool ran = move ? transfer(moveKind(), sources, folder, moveText(sources, folder))
                          : transfer(copyKind(), sources, folder, copyText(sources, folder));
    if (!ran)
        return;
    if (SecondPanel *panel = m_list.secondPanel(); panel != nullptr && panel->isShown())
        runHandler(m_services.dialogs, [panel] { panel->relist(); });
    if (move && treeNode >= 0)
        m_list.refreshTree(treeNode);
    runHandler(m_services.dialogs, [this] { m_list.relistFolder(); });
}

} // namespace quil
