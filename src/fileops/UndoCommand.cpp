#include "fileops/UndoCommand.h"

#include "fileops/MainList.h"
#include "fileops/SecondPanel.h"
#include "platform/ChangeHold.h"
#include "platform/Dialogs.h"
#include "platform/ErrorBox.h"
#include "platform/Services.h"
#include "platform/fileop/ShellFileOperation.h"
#include "platform/fileop/UndoJournal.h"
#include "platform/fileop/UndoOperation.h"
#include <QCoreApplication>

namespace quil {

bool UndoCommand::canUndo()
{
    return UndoJournal::session().newest() != nullptr;
}

QString UndoCommand::menuText()
{
    const UndoEntry *newest = UndoJournal::session().newest();
    return newest ? QCoreApplication::translate("UndoCommand", "Отменить ") + newest->describe()
                  : QCoreApplication::translate("UndoCommand", "Отменить");
}

void UndoCommand::run()
{
    const ChangeHold::Scope held(m_list.changeHold());
    // The listed folder, not a path typed into the path box without Enter.
    const FolderPath folder = m_list.listedFolder();
    UndoJournal &journal = UndoJournal::session();
    const UndoEntry *newest = journal.newest();
    if (!newest) {
        m_services.dialogs.beep();
        return;
    }
    if (!m_services.dialogs.askYesNo(UndoOperation::question(*newest), QStringLiteral("QUIL"), Dialogs::Icon::Question))
        return;
    m_list.setStatus(QCoreApplication::translate("UndoCommand", "Отмена операции..."));
    // Taken before it runs; what it could not undo yet (nothing done, or
    // cancelled part-way) is put back, to be tried again.
    const UndoEntry entry = *journal.takeNewest();
    UndoOperation undo(m_services.dialogs,
                       [this](FileOperation &operation) { return runFileOperation(operation, m_list.ownerWindow()); });
    journal.push(undo.undo(entry).remaining);
    if (SecondPanel *panel = m_list.secondPanel(); panel && panel->isShown())
        panel->relist();
    runHandler(m_services.dialogs, [this, &folder] { m_list.navigateByPath(folder); });
}

} // namespace quil
