// The navigation handlers' work: opening rows, the path box and its history,
// up one level, the tree, the drive selector and the device notices.
#include "listing/FolderNavigator.h"

#include "listing/FolderListing.h"
#include "listing/FolderTreeModel.h"
#include "listing/NavigationText.h"
#include "listing/PathText.h"
#include "platform/Dialogs.h"
#include "platform/DocumentOpening.h"
#include "platform/ErrorBox.h"
#include "platform/Launcher.h"
#include "platform/NativePath.h"
#include "platform/Services.h"
#include "platform/SettingsFiles.h"
#include "platform/ShellNamespace.h"
#include "platform/VolumeMonitor.h"
#include "platform/Volumes.h"
#include "platform/gio/GioLocation.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QTreeView>

namespace quil {

namespace {
QString waitingText()
{
    return QCoreApplication::translate("FolderNavigatorCommands", "Жду команду...");
}
const QString kTitle = QStringLiteral("QUIL");
} // namespace

void FolderNavigator::followPathBoxDrive()
{
    // The listing already shows a folder of that volume, so this keeps the
    // selector in step without listing the volume's root over it.
    const FolderPath folder = listedFolder();
    if (!folder.isLocal())
        return;
    if (const auto volume = Volumes::volumeOf(folder.path(), m_volumes))
        if (volume->mountPoint != selectedDrive())
            selectDrive(volume->mountPoint);
}

void FolderNavigator::openSelectedRow()
{
    m_controls.setStatus(waitingText());
    const int row = currentRow();
    if (row < 0)
        return;
    // A copy: listing a folder replaces the entries.
    const TShellItem entry = m_controls.listing.entry(row);
    if (!m_controls.listing.isFolder(row)) {
        if (entry.folderChild.id.isFileSystem() && isArchiveName(entry.name)) {
            runHandler(m_services.dialogs, [this, &entry] { openArchive(FolderPath(entry.folderChild.id.path())); });
            return;
        }
        openFileEntry(entry);
        return;
    }
    runHandler(m_services.dialogs, [this, &entry] {
        const QString path =
            pathBoxText(ShellNamespace::displayName(entry.folderChild.id, ShellNamespace::NameForm::Parsing));
        if (!browseTo(entry.folderChild.id))
            return;
        if (m_controls.pathBox.currentText() != path)
            m_controls.pathBox.setEditText(path);
        scrollTreeSelectionToTop();
        followPathBoxDrive();
    });
}

bool FolderNavigator::openArchive(const FolderPath &archive)
{
    return browseTo(ItemId::location(archiveLocation(toNative(archive.path()))));
}

void FolderNavigator::openFileEntry(const TShellItem &entry)
{
    // A file of a location has no folder to start a program in: its
    // type's application gets it (by URI, or a local path of it).
    if (entry.folderChild.id.isLocation()) {
        runHandler(m_services.dialogs,
                   [this, &entry] { openDocumentOrChoose(m_services.dialogs, m_services.launcher, entry.path()); });
        return;
    }
    const QString program = m_controls.programForName(entry.name);
    const FolderPath folder = listedFolder();
    // Programs start in the process's current folder: the listed one.
    if (folder.isEmpty() || !Launcher::enterFolder(folder)) {
        m_services.dialogs.message(folderNotFoundMessage(folder.withTrailingSlash()), kTitle, Dialogs::Icon::None);
        return;
    }
    // Whether the extension table's program started is not reported, as
    // with the shell's own start of a program.
    if (!program.isEmpty())
        // "./" so that a name such as "-x" or "+cmd" is never read as an option.
        m_services.launcher.run(program, QStringLiteral("./") + entry.name, Launcher::ArgumentForm::OneArgument);
    else
        runHandler(m_services.dialogs,
                   [this, &entry] { openDocumentOrChoose(m_services.dialogs, m_services.launcher, entry.path()); });
}

void FolderNavigator::pathBoxEntered()
{
    const QString text = expandHome(m_controls.pathBox.currentText(), QDir::homePath());
    if (!text.isEmpty())
        runHandler(m_services.dialogs, [this, &text] { navigateByPath(FolderPath(text)); });
}

void FolderNavigator::pathBoxLeft()
{
    const QString listed = listedFolder().withTrailingSlash();
    if (!listed.isEmpty() && m_controls.pathBox.currentText() != listed)
        m_controls.pathBox.setEditText(listed);
}

void FolderNavigator::historyPicked()
{
    const QString text = m_controls.pathBox.currentText();
    const int line = m_history.find(text);
    if (line < 0) {
        navigateByPath(FolderPath(expandHome(text, QDir::homePath())));
        return;
    }
    const ItemId folder = m_history.line(line).id;
    m_services.dialogs.message(historyPickedMessage(text), kTitle, Dialogs::Icon::None);
    browseTo(folder);
}

void FolderNavigator::up()
{
    m_controls.setStatus(waitingText());
    FolderListing &listing = m_controls.listing;
    const ItemId current = listing.currentFolder();
    if (current.isLocation()) {
        // The folder left is selected, at an archive's top the archive.
        const QByteArray archive = archiveOfLocation(current.path());
        listing.EntryToSelect =
            archive.isEmpty() ? current.fileName() : ItemId::fromPath(fromNative(archive)).fileName();
    } else {
        listing.EntryToSelect = folderLeftByUp(listedFolder().withTrailingSlash());
    }
    const ItemId parent = ShellNamespace::parent(listing.currentFolder());
    if (parent.isEmpty()) {
        // The computer folder and the desktop have nothing above them.
        m_services.dialogs.beep();
    } else {
        runHandler(m_services.dialogs, [this, &parent] { browseTo(parent); });
    }
    scrollTreeSelectionToTop();
}

void FolderNavigator::treeClicked()
{
    if (!m_windowShown)
        return;
    // A location of the tree (the trash) is read through GIO.
    if (const ItemId node = m_controls.treeModel.itemOf(m_controls.tree.currentIndex()); node.isLocation()) {
        browseTo(node);
        return;
    }
    const QString path = treeSelectedPath();
    if (path.isEmpty() || !directoryExists(path))
        return;
    navigateByPath(FolderPath(path));
}

void FolderNavigator::relist()
{
    navigateByPath(listedFolder());
}

void FolderNavigator::driveChanged()
{
    // The selection made while the window is created lists nothing.
    if (!m_windowShown)
        return;
    const QString root = selectedDrive();
    // A volume without a readable root changes nothing but the selector.
    if (root.isEmpty() || !directoryExists(root))
        return;
    runHandler(m_services.dialogs, [this, &root] { navigateByPath(FolderPath(root)); });
}

void FolderNavigator::deviceChange(int event)
{
    switch (event) {
    case VolumeMonitor::NodeChange:
        m_controls.setStatus(QCoreApplication::translate("FolderNavigatorCommands", "Смена носителя..."));
        break;
    case VolumeMonitor::DeviceArrival:
        m_controls.setStatus(QCoreApplication::translate("FolderNavigatorCommands", "Есть новый диск"));
        rebuildDriveLists();
        break;
    case VolumeMonitor::DeviceRemoval:
        m_controls.setStatus(QCoreApplication::translate("FolderNavigatorCommands", "Изъят диск."));
        rebuildDriveLists();
        break;
    default:
        m_controls.setStatus(QCoreApplication::translate("FolderNavigatorCommands", "Жду команды...!"));
        break;
    }
}

} // namespace quil
