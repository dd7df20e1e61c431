#pragma once

#include "listing/PathHistory.h"
#include "platform/FolderPath.h"
#include "platform/ItemId.h"
#include "platform/Volume.h"
#include "platform/gio/MountDialog.h"

#include <QAbstractItemView>
#include <QList>
#include <QObject>
#include <QString>
#include <functional>

class QComboBox;
class QLabel;
class QTreeView;
class QWidget;
struct TShellItem;

namespace quil {

class ChangeHold;
class FolderListing;
class FolderReading;
class FolderListModel;
class FolderListView;
class FolderTreeModel;
struct Services;
class VolumeMonitor;

// The main window's controls and models that navigation works on.
struct NavigationControls
{
    QComboBox &pathBox;   // cbPath, with the history as its list
    QComboBox &drives;    // DriveComboBox1
    QTreeView &tree;      // ShellTreeView1
    FolderListView &list; // ListView
    FolderListing &listing;
    FolderListModel &listModel;
    FolderTreeModel &treeModel;
    QLabel &summary;  // the selection summary, reset by each listing
    QLabel &diskSize; // Label5
    QLabel &diskFree; // Label6
    QWidget &usedBar; // Shape1
    QWidget &freeBar; // Shape2
    // Writes the status line and repaints it at once; reads it.
    std::function<void(const QString &)> setStatus;
    std::function<QString()> statusText;
    // The program the extension table names for a file name's extension;
    // empty for none.
    std::function<QString(const QString &fileName)> programForName;
    // Device notices go through it, so a running file operation holds them.
    ChangeHold &changes;
};

// The work behind the main window's navigation: listing a folder with its
// path history, tree and disk display, opening rows, the path box, up one
// level, the drive selector, the tree refresh and the device notices.
class FolderNavigator : public QObject
{
    Q_OBJECT
public:
    FolderNavigator(const NavigationControls &controls, Services &services, QObject *parent = nullptr);

    // --- Listing ---

    // Lists the folder the identifier names, keeping the path box and its
    // history, selecting EntryToSelect (else row 0), pointing the tree at it
    // and refreshing the disk display. Raises OsError and keeps the previous
    // listing when the folder cannot be read. The reading runs while the
    // window goes on; false when it was stopped (Escape, or another reading
    // took its place), which leaves everything as it was.
    bool browseTo(const ItemId &target);
    // Lists a folder, switching the drive selector first when it lies on
    // another volume. Raises OsError for a folder that does not exist.
    // False when the reading was stopped.
    bool navigateByPath(const FolderPath &folder);
    // The listed folder, whatever is typed in the path box; what commands
    // act on. Empty before the first listing.
    FolderPath listedFolder() const;
    const PathHistory &history() const { return m_history; }
    // Puts the lines kept from an earlier run (newest first) on top of the
    // history and the path box; called before the first listing, so that the
    // listings of the start find their lines and leave the order as kept.
    void restoreHistory(const QStringList &lines);
    qint64 diskSizeKb() const { return m_diskSizeKb; }

    // --- Tree and drives ---

    void setTreePath(const FolderPath &folder);
    QString treeSelectedPath() const;
    void scrollTreeSelectionToTop();
    void refreshTreeNode(int position);
    // "Обновление дерева ", the node re-read, "Жду команду... ".
    void refreshTree(int position);
    // The absolute tree position of the computer folder's node.
    int computerNodePosition() const;
    void fillDriveList();
    QString selectedDrive() const;
    void selectDrive(const QString &mountPoint);
    // Re-reads the volumes into the selector and, as a change of drive,
    // lists the selected volume's root.
    void rebuildDriveLists();

    // Whether the window has been shown: until then the tree and the drive
    // selector list nothing when they change.
    bool windowShown() const { return m_windowShown; }
    void setWindowShown(bool shown) { m_windowShown = shown; }

    // --- Handlers' work; each reports its errors in the error box ---

    // Opens the selected row: a folder or volume is listed, an archive as a
    // read-only folder; a file starts with its extension's program or its
    // default application.
    void openSelectedRow();
    // Lists an archive's content as a read-only folder (GIO's archive backend).
    bool openArchive(const FolderPath &archive);
    // Enter in the path box: the typed path.
    void pathBoxEntered();
    // The focus left the path box without Enter: its text names the listed
    // folder again.
    void pathBoxLeft();
    // A history line picked. Raises OsError (the window reports it where it
    // connects the pick), as do treeClicked and relist.
    void historyPicked();
    // Up one level, selecting the folder left; beeps at the top.
    void up();
    // Lists the tree's selected folder.
    void treeClicked();
    // Lists the listed folder afresh.
    void relist();
    // Lists the drive selector's volume root.
    void driveChanged();
    // The device notice of the volume monitor, by its event code.
    void deviceChange(int event);
    // Sets the drive selector to the volume of the listed folder.
    void followPathBoxDrive();
    // The row of the list's selected entry; -1 when no row is selected.
    int currentRow() const;

Q_SIGNALS:
    // The drive lists were rebuilt from these volumes.
    void driveListsRebuilt(const QList<quil::Volume> &volumes);

private:
    bool readFolder(const ItemId &folder);
    // Scrolls the tree to the node as the hint says, sideways too, so that
    // a deep node's name shows.
    void revealTreeNode(const QModelIndex &index, QAbstractItemView::ScrollHint hint);
    void keepPathHistory();
    // After a listing the keys go to the new rows: the list takes the focus
    // (at start too), from the path box, the tree or a button alike. The
    // drive selector keeps it, whose arrow keys list one drive after the
    // other, and so does a line being typed (the command line), which a
    // listing after a device notice must not interrupt.
    void focusListAfterListing();
    void selectEntryAfterListing();
    void refreshDiskDisplay();
    void openFileEntry(const TShellItem &entry);

    NavigationControls m_controls;
    Services &m_services;
    PathHistory m_history;
    QList<Volume> m_volumes;
    qint64 m_diskSizeKb = 0;
    qint64 m_diskFreeKb = 0;
    VolumeMonitor *m_volumeMonitor = nullptr;
    bool m_windowShown = false;
    // The reading the window waits for; null when none.
    FolderReading *m_reading = nullptr;
    // Answers the questions of a location mounted for a reading.
    MountDialog m_mountQuestions;
};

} // namespace quil
