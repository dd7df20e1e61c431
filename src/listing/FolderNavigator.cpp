// Listing a folder, the tree and the drive selector.
#include "listing/FolderNavigator.h"

#include "listing/DiskDisplay.h"
#include "listing/FolderListModel.h"
#include "listing/FolderListView.h"
#include "listing/FolderListing.h"
#include "listing/FolderReading.h"
#include "listing/FolderTreeModel.h"
#include "listing/PathText.h"
#include "listing/ReadingWait.h"
#include "platform/BusyCursor.h"
#include "platform/ChangeHold.h"
#include "platform/OsError.h"
#include "platform/Services.h"
#include "platform/SettingsFiles.h"
#include "platform/ShellNamespace.h"
#include "platform/VolumeMonitor.h"
#include "platform/Volumes.h"
#include "platform/gio/GioLocation.h"

#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QScopeGuard>
#include <QScrollBar>
#include <QTreeView>

#include <QCoreApplication>
#include <algorithm>

namespace quil {

FolderNavigator::FolderNavigator(const NavigationControls &controls, Services &services, QObject *parent)
    : QObject(parent), m_controls(controls), m_services(services), m_mountQuestions(controls.list.window())
{
    m_volumeMonitor = new VolumeMonitor(this);
    connect(m_volumeMonitor, &VolumeMonitor::deviceChange, this,
            [this](int event) { m_controls.changes.apply([this, event] { deviceChange(event); }); });
}

bool FolderNavigator::readFolder(const ItemId &folder)
{
    // Whether the read succeeds or fails, the summary is reset once the
    // busy cursor has gone; a stopped reading leaves everything as it was.
    bool read = false;
    const auto resetSummary = qScopeGuard([this, &read] {
        if (read)
            m_controls.summary.setText(
                QCoreApplication::translate("FolderNavigator", "Выделено в  -  папках и в - файлах "));
    });
    FolderListing &listing = m_controls.listing;
    if (!folder.isFileSystem() && !folder.isLocation()) {
        // The desktop and the computer folder have their few entries at once.
        const BusyCursor busy;
        EntryStore children = FolderListing::enumerate(folder);
        m_controls.listModel.reading([&listing, &children] { listing.replaceEntries(std::move(children)); });
        read = true;
        return true;
    }
    // A reading begun while this one waits (from another window) takes its
    // place: this one then ends as stopped.
    if (m_reading != nullptr)
        m_reading->cancel();
    const std::unique_ptr<FolderReading> reading = FolderReading::make(folder, listing, &m_mountQuestions);
    FolderReading *const outer = std::exchange(m_reading, reading.get());
    const auto restore = qScopeGuard([this, outer] { m_reading = outer; });
    const QString statusBefore = m_controls.statusText();
    {
        const BusyCursor busy;
        // Nothing from outside changes the list under the reading.
        const ChangeHold::Scope hold(m_controls.changes);
        ReadingWait(*reading, *m_controls.list.window(), m_controls.setStatus).run();
    }
    m_controls.setStatus(statusBefore);
    if (reading->error())
        std::rethrow_exception(reading->error());
    if (!reading->finishedWell())
        return false;
    // The failure, if any, came before the model reset, so it left the
    // list's current row, selection and scroll alone.
    FolderListing &result = reading->result();
    m_controls.listModel.reading([&listing, &result] { listing.takeEntries(result); });
    read = true;
    return true;
}

bool FolderNavigator::browseTo(const ItemId &target)
{
    FolderListView &list = m_controls.list;
    // The list repaints once, with the new folder selected.
    {
        // The tree follows the listed folder and the list repaints, also
        // when the folder could not be read.
        // A stopped reading leaves the tree too as it was.
        bool stopped = false;
        const auto finish = qScopeGuard([this, &list, &stopped, &target] {
            const QString path = m_controls.listing.currentPath();
            if (!stopped && !target.isLocation() && directoryExists(path))
                setTreePath(FolderPath(path));
            list.setUpdatesEnabled(true);
        });
        if (!readFolder(target)) {
            stopped = true;
            return false;
        }
        list.setUpdatesEnabled(false);
        m_controls.listing.setCurrent(target, ShellNamespace::displayName(target, ShellNamespace::NameForm::Parsing));
        keepPathHistory();
        selectEntryAfterListing();
    }
    if (!target.isLocation() && directoryExists(m_controls.pathBox.currentText()))
        refreshDiskDisplay();
    focusListAfterListing();
    return true;
}

void FolderNavigator::focusListAfterListing()
{
    const QWidget *focused = m_controls.list.window()->focusWidget();
    const auto within = [focused](const QWidget &control) {
        return focused == &control || control.isAncestorOf(focused);
    };
    if (focused != nullptr && !within(m_controls.pathBox) &&
        (within(m_controls.drives) || qobject_cast<const QLineEdit *>(focused) != nullptr))
        return;
    m_controls.list.setFocus(Qt::OtherFocusReason);
}

void FolderNavigator::restoreHistory(const QStringList &lines)
{
    // Oldest first: each goes on top, as a listing adds its line.
    for (auto line = lines.crbegin(); line != lines.crend(); ++line) {
        const ItemId id = *line == computerFolderPath() ? ItemId::computer()
                          : isGioLocation(*line)        ? ItemId::location(*line)
                                                        : ItemId::fromPath(*line);
        const int before = m_history.size();
        m_history.add(*line, id);
        if (m_history.size() > before)
            m_controls.pathBox.insertItem(0, *line);
    }
}

FolderPath FolderNavigator::listedFolder() const
{
    return FolderPath(m_controls.listing.currentPath());
}

void FolderNavigator::keepPathHistory()
{
    QComboBox &box = m_controls.pathBox;
    const QString path = m_controls.listing.currentPath();
    const int before = m_history.size();
    const int line = m_history.add(path, m_controls.listing.currentFolder());
    if (m_history.size() > before)
        box.insertItem(0, path);
    box.setCurrentIndex(line);
    // A line that differs only in letter case names another folder here:
    // the box shows the folder really listed.
    box.setEditText(pathBoxText(path));
}

void FolderNavigator::selectEntryAfterListing()
{
    const FolderListing &listing = m_controls.listing;
    if (listing.count() == 0)
        return;
    int row = listing.findEntry(listing.EntryToSelect);
    if (row < 0)
        row = 0;
    const QModelIndex index = m_controls.listModel.index(row, 0);
    m_controls.list.setCurrentIndex(index);
    m_controls.list.scrollTo(index, QAbstractItemView::EnsureVisible);
}

bool FolderNavigator::navigateByPath(const FolderPath &folder)
{
    // A URI that GIO handles is asked when it is read: whether it exists
    // is its reading's answer. "user@host:/path" is no URI: a local path.
    // "computer:///" is the program's own computer folder, never GIO's.
    if (folder.path().compare(computerFolderPath(), Qt::CaseInsensitive) != 0 && isGioLocation(folder.path()))
        return browseTo(ItemId::location(folder.withTrailingSlash()));
    // Parsed first: a path that does not exist leaves the listing and the
    // drive selector as they were.
    const ItemId target = ShellNamespace::parse(folder.path());
    if (const auto volume = Volumes::volumeOf(folder.path(), m_volumes))
        if (volume->mountPoint != selectedDrive())
            selectDrive(volume->mountPoint);
    return browseTo(target);
}

void FolderNavigator::refreshDiskDisplay()
{
    VolumeSpace space;
    try {
        space = Volumes::space(m_controls.pathBox.currentText());
    } catch (const QuilError &) {
        // A volume that tells nothing keeps the figures of the last one.
        return;
    }
    m_diskSizeKb = qint64(space.total / 1024);
    m_diskFreeKb = qint64(space.free / 1024);
    const DiskDisplayFigures figures = diskDisplayFigures(m_diskSizeKb, m_diskFreeKb);
    m_controls.diskSize.setText(figures.sizeText);
    m_controls.diskFree.setText(figures.freeText);
    QWidget &freeBar = m_controls.freeBar;
    freeBar.setGeometry(figures.freeLeft, freeBar.y(), figures.freeWidth, freeBar.height());
    freeBar.setVisible(figures.freeWidth > 0);
    QWidget &usedBar = m_controls.usedBar;
    usedBar.setGeometry(157, usedBar.y(), figures.usedWidth, usedBar.height());
    usedBar.setVisible(figures.usedWidth > 0);
}

int FolderNavigator::currentRow() const
{
    const QModelIndexList rows = m_controls.list.selectionModel()->selectedRows();
    if (rows.isEmpty() || rows.first().row() >= m_controls.listing.count())
        return -1;
    return rows.first().row();
}

void FolderNavigator::setTreePath(const FolderPath &folder)
{
    QTreeView &tree = m_controls.tree;
    const QModelIndex index = m_controls.treeModel.indexForPath(folder);
    if (!index.isValid())
        return;
    for (QModelIndex up = index.parent(); up.isValid(); up = up.parent())
        tree.expand(up);
    tree.setCurrentIndex(index);
    revealTreeNode(index, QAbstractItemView::EnsureVisible);
}

void FolderNavigator::revealTreeNode(const QModelIndex &index, QAbstractItemView::ScrollHint hint)
{
    QTreeView &tree = m_controls.tree;
    // The column width and the scroll range follow the nodes just expanded.
    tree.header()->resizeSections(QHeaderView::ResizeToContents);
    tree.doItemsLayout();
    tree.scrollTo(index, hint);
    // scrollTo shows a column wider than the tree from its left end, where a
    // deep node shows nothing but indentation: bring its icon and name in.
    const QRect node = tree.visualRect(index);
    const int width = tree.viewport()->width();
    if (node.left() < 0 || node.left() + std::min(node.width(), width) > width)
        tree.horizontalScrollBar()->setValue(tree.horizontalScrollBar()->value() + node.left() - tree.indentation());
}

QString FolderNavigator::treeSelectedPath() const
{
    return m_controls.treeModel.pathOf(m_controls.tree.currentIndex());
}

void FolderNavigator::scrollTreeSelectionToTop()
{
    const QModelIndex index = m_controls.tree.currentIndex();
    if (index.isValid())
        revealTreeNode(index, QAbstractItemView::PositionAtTop);
}

void FolderNavigator::refreshTreeNode(int position)
{
    FolderTreeModel &model = m_controls.treeModel;
    if (position == 0) {
        model.refreshNode({});
        return;
    }
    const QModelIndex index = model.nodeAtPosition(position);
    if (index.isValid())
        model.refreshNode(index);
}

void FolderNavigator::refreshTree(int position)
{
    m_controls.setStatus(QCoreApplication::translate("FolderNavigator", "Обновление дерева "));
    refreshTreeNode(position);
    m_controls.setStatus(QCoreApplication::translate("FolderNavigator", "Жду команду... "));
}

int FolderNavigator::computerNodePosition() const
{
    const FolderTreeModel &model = m_controls.treeModel;
    // Every node created so far counts, so the home folder's subtree (once
    // expanded) comes before the computer folder.
    const std::function<int(const QModelIndex &)> subtree = [&](const QModelIndex &node) {
        int count = 1;
        for (int row = 0; row < model.rowCount(node); ++row)
            count += subtree(model.index(row, 0, node));
        return count;
    };
    int position = 1;
    for (int row = 0; row < model.rowCount(); ++row) {
        const QModelIndex child = model.index(row, 0);
        if (model.itemOf(child).isComputer())
            return position;
        position += subtree(child);
    }
    return 2;
}

void FolderNavigator::fillDriveList()
{
    QComboBox &drives = m_controls.drives;
    const QString kept = selectedDrive();
    m_volumes = Volumes::list();
    const QSignalBlocker quiet(drives);
    drives.clear();
    for (const Volume &volume : std::as_const(m_volumes))
        drives.addItem(volume.displayName(), volume.mountPoint);
    const int index = drives.findData(kept);
    drives.setCurrentIndex(index >= 0 ? index : 0);
}

QString FolderNavigator::selectedDrive() const
{
    return m_controls.drives.currentData().toString();
}

void FolderNavigator::selectDrive(const QString &mountPoint)
{
    const int index = m_controls.drives.findData(mountPoint);
    if (index >= 0)
        m_controls.drives.setCurrentIndex(index);
}

void FolderNavigator::rebuildDriveLists()
{
    fillDriveList();
    Q_EMIT driveListsRebuilt(m_volumes);
    // Selecting the volume again counts as a change of drive.
    driveChanged();
}

} // namespace quil
