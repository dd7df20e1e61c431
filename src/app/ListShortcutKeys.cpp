#include "app/ListShortcutKeys.h"

#include "app/FavouriteFolders.h"
#include "app/SecondPanelDock.h"
#include "app/TForm1.h"
#include "fileops/CommandSources.h"
#include "fileops/DeleteCommand.h"
#include "listing/FolderListView.h"
#include "listing/FolderListing.h"
#include "listing/NavigationText.h"
#include "platform/Dialogs.h"
#include "platform/ErrorBox.h"
#include "platform/FileClipboard.h"
#include "platform/Launcher.h"
#include "platform/Services.h"
#include "platform/TerminalProgram.h"
#include "shell/ContextMenuController.h"
#include <QCoreApplication>

namespace quil {

namespace {
const QString kTitle = QStringLiteral("QUIL");
} // namespace

ListShortcutKeys::ListShortcutKeys(TForm1 &form, Services &services, QObject *parent)
    : QObject(parent), m_form(form), m_services(services)
{}

bool ListShortcutKeys::run(int key, Qt::KeyboardModifiers modifiers)
{
    if (key == Qt::Key_Delete) {
        if (!modifiers.testFlag(Qt::ShiftModifier)) {
            m_form.SpeedButton9Click();
            return true;
        }
        // The same question as F8's, its "to the trash" box unticked.
        const auto held = m_form.commandHold();
        m_form.m_delete->run(false);
        return true;
    }
    if (!modifiers.testFlag(Qt::ControlModifier))
        return false;
    switch (key) {
    case Qt::Key_A:
        // As the keypad's + with the mask "*".
        runHandler(m_services.dialogs, [this] { m_form.SelectByMask(QStringLiteral("*")); });
        return true;
    case Qt::Key_C:
    case Qt::Key_X:
        putOnClipboard(key == Qt::Key_X);
        return true;
    case Qt::Key_V:
        paste();
        return true;
    case Qt::Key_H:
        toggleHiddenEntries();
        return true;
    case Qt::Key_T:
        openTerminal();
        return true;
    case Qt::Key_D:
        if (const FolderPath folder = m_form.listedFolder(); folder.isLocal())
            m_form.setStatus(m_form.m_favourites->toggle(folder));
        else
            m_services.dialogs.beep();
        return true;
    case Qt::Key_B:
        jumpToFavourite();
        return true;
    case Qt::Key_K:
        m_form.m_panelDock->nextPlace();
        return true;
    default:
        return false;
    }
}

void ListShortcutKeys::putOnClipboard(bool cut)
{
    const QStringList paths = fileSystemPaths(collectSources(m_form.listing(), m_form.currentRow()).paths);
    if (paths.isEmpty()) {
        m_services.dialogs.beep();
        return;
    }
    putFilesOnClipboard({paths, cut, {}, {}});
}

void ListShortcutKeys::paste()
{
    const FolderPath folder = m_form.listedFolder();
    if (!folder.isLocal()) {
        m_services.dialogs.beep();
        return;
    }
    const auto held = m_form.commandHold();
    if (runHandler(m_services.dialogs, [&] { m_form.contextMenu().paste(folder.path(), &m_form); }))
        runHandler(m_services.dialogs, [this] { m_form.relistFolder(); });
}

void ListShortcutKeys::jumpToFavourite()
{
    FolderListView &list = *m_form.ListView;
    const QRect row = list.visualRect(list.currentIndex());
    const QPoint at = list.viewport()->mapToGlobal(row.isValid() ? row.bottomLeft() : QPoint());
    const std::optional<FolderPath> folder = m_form.m_favourites->pick(&m_form, at);
    if (folder)
        runHandler(m_services.dialogs, [&] { m_form.navigateByPath(*folder); });
}

void ListShortcutKeys::toggleHiddenEntries()
{
    FolderListing &listing = m_form.listing();
    listing.setHiddenShown(!listing.hiddenShown());
    if (const int row = m_form.currentRow(); row >= 0)
        m_form.entryToSelect() = listing.entry(row).name;
    runHandler(m_services.dialogs, [this] { m_form.relistFolder(); });
}

void ListShortcutKeys::openTerminal()
{
    // The computer folder is no place in the file system: the home folder
    // stands for it, as for a program started there.
    const FolderPath listed = m_form.listedFolder();
    if (!Launcher::enterFolder(listed.isLocal() ? listed : FolderPath())) {
        m_services.dialogs.message(folderNotFoundMessage(listed.withTrailingSlash()), kTitle, Dialogs::Icon::None);
        return;
    }
    const QString program = terminalProgram();
    if (program.isEmpty())
        m_services.dialogs.message(QCoreApplication::translate("ListShortcutKeys",
                                                               "Терминал не найден: нет программы x-terminal-emulator, "
                                                               "и переменная TERMINAL не задана"),
                                   kTitle, Dialogs::Icon::Warning);
    else if (!m_services.launcher.run(program))
        m_services.dialogs.message(QCoreApplication::translate("ListShortcutKeys", "Не могу запустить терминал: ") +
                                       program,
                                   kTitle, Dialogs::Icon::Warning);
}

} // namespace quil
