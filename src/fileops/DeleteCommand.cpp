#include "fileops/DeleteCommand.h"

#include "fileops/CommandSources.h"
#include "fileops/MainList.h"
#include "fileops/MarksController.h"
#include "listing/FolderListing.h"
#include "platform/Dialogs.h"
#include "platform/ErrorBox.h"
#include "platform/LocationUri.h"
#include "platform/Services.h"
#include "platform/fileop/ShellFileOperation.h"
#include "platform/gio/GioLocation.h"
#include <QCoreApplication>

namespace quil {

namespace {
const QString kTitle = QStringLiteral("QUIL");
constexpr int kNamesShown = 5;
constexpr int kWarningHeight = 280;
// The delete through the file operation, "Ошибка при удалении" when it fails.
bool deleteThrough(Dialogs &dialogs, const QStringList &paths, int flags, QWidget *owner)
{
    if (ShellFileOperation(dialogs, paths, QString(), FO_DELETE, flags, owner))
        return true;
    dialogs.message(QCoreApplication::translate("DeleteCommand", "Ошибка при удалении"), kTitle, Dialogs::Icon::None);
    return false;
}
} // namespace

DeleteCommand::DeleteCommand(MainList &list, Services &services, QObject *parent)
    : QObject(parent), m_list(list), m_services(services)
{}

void DeleteCommand::run(bool toTrash)
{
    const int currentRow = commandRow(m_list, m_services.dialogs);
    if (currentRow < 0)
        return;
    const int treeNode = m_list.selectedTreeNode();
    m_list.setStatus(QCoreApplication::translate("DeleteCommand", "Удаление..."));

    const FolderListing &listing = m_list.listing();
    const CommandSources sources = collectSources(listing, currentRow);
    // The row after the last removed entry is selected once the list is read again.
    if (sources.fromMarks) {
        for (int row = 0; row < listing.count(); ++row)
            if (listing.isMarked(row))
                m_list.entryToSelect() = nameAfterRow(listing, row);
    } else {
        m_list.entryToSelect() = nameAfterRow(listing, currentRow);
    }

    // Where the location has no trash (a server over sftp), the question
    // offers none: the delete would only fail there.
    if (toTrash && !sources.paths.isEmpty() && isGioLocation(sources.paths.constFirst()) &&
        !locationItemCanTrash(sources.paths.constFirst()))
        toTrash = false;
    const bool deleted =
        isInTrash(listing.currentPath())
            ? confirmAndDeleteFromTrash(m_services.dialogs, sources.paths, sources.names, m_list.ownerWindow())
            : confirmAndDelete(m_services.dialogs, sources.paths, sources.names, m_list.ownerWindow(), toTrash);
    if (deleted)
        m_list.marks().clearMarks();
    if (treeNode >= 0)
        m_list.refreshTree(treeNode);
    runHandler(m_services.dialogs, [this] { m_list.relistFolder(); });
}

bool DeleteCommand::confirmAndDelete(Dialogs &dialogs, const QStringList &paths, const QStringList &names,
                                     QWidget *owner, bool toTrash)
{
    const QString text = QCoreApplication::translate("DeleteCommand", "Удалить : ") + QString::number(paths.size()) +
                         QCoreApplication::translate("DeleteCommand", " объект(ов)\r\n") +
                         nameLines(names, kNamesShown) +
                         QCoreApplication::translate("DeleteCommand", "\r\n\r\n В Ы П О Л Н И Т Ь ?");
    const Dialogs::CheckedAnswer answer = dialogs.askYesNoWithCheck(
        text, QCoreApplication::translate("DeleteCommand", "Удаление выделенных объектов..."),
        QCoreApplication::translate("DeleteCommand", "Удалять в корзину."), toTrash, kWarningHeight);
    // Closed without an answer: nothing is deleted and nothing said.
    if (answer.closed)
        return false;
    if (!answer.yes) {
        dialogs.message(QCoreApplication::translate("DeleteCommand", "Удаление отменено"), kTitle, Dialogs::Icon::None);
        return false;
    }
    return deleteThrough(dialogs, paths, answer.checked ? FOF_ALLOWUNDO : FOF_MULTIDESTFILES, owner);
}

bool DeleteCommand::confirmAndDeleteFromTrash(Dialogs &dialogs, const QStringList &paths, const QStringList &names,
                                              QWidget *owner)
{
    const QString text =
        names.size() == 1
            ? QCoreApplication::translate("DeleteCommand", "Удалить «%1» навсегда?").arg(names.constFirst())
            : QCoreApplication::translate("DeleteCommand", "Удалить навсегда : ") + QString::number(paths.size()) +
                  QCoreApplication::translate("DeleteCommand", " объект(ов)\r\n") + nameLines(names, kNamesShown) +
                  QCoreApplication::translate("DeleteCommand", "\r\n\r\n В Ы П О Л Н И Т Ь ?");
    if (!dialogs.askYesNo(text, QCoreApplication::translate("DeleteCommand", "Корзина"), Dialogs::Icon::Question)) {
        dialogs.message(QCoreApplication::translate("DeleteCommand", "Удаление отменено"), kTitle, Dialogs::Icon::None);
        return false;
    }
    return deleteThrough(dialogs, paths, FOF_MULTIDESTFILES, owner);
}

} // namespace quil
