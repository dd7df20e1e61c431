#include "listing/FolderListFollower.h"

#include "listing/EntryOrder.h"
#include "listing/FolderListModel.h"
#include "listing/FolderListView.h"
#include "listing/FolderListing.h"
#include "listing/GoneFolder.h"
#include "platform/ChangeHold.h"
#include "platform/FolderChangeTriage.h"
#include "platform/FolderPath.h"
#include "platform/NameKeys.h"
#include "platform/NativePath.h"
#include "platform/OsError.h"
#include "platform/SettingsFiles.h"
#include "platform/ShellNamespace.h"

#include <QHash>
#include <QPointer>
#include <QScrollBar>

#include <algorithm>
#include <sys/stat.h>

namespace quil {

namespace {

// The entry of one name of a folder as the folder's read would make it, its
// details read; nothing when the name is gone.
std::optional<FolderChild> childNamed(const ItemId &folder, const QString &name)
{
    FolderChild child;
    child.id = ShellNamespace::join(folder, name);
    child.name = name;
    const QByteArray path = toNative(child.id.path());
    struct stat own
    {
    };
    if (::lstat(path.constData(), &own) != 0)
        return std::nullopt;
    child.isLink = S_ISLNK(own.st_mode);
    child.isSpecial = S_ISFIFO(own.st_mode) || S_ISSOCK(own.st_mode) || S_ISCHR(own.st_mode) || S_ISBLK(own.st_mode);
    struct stat target
    {
    };
    child.isFolder =
        S_ISDIR(own.st_mode) || (child.isLink && ::stat(path.constData(), &target) == 0 && S_ISDIR(target.st_mode));
    child.resolved = true;
    child.details = ShellNamespace::findData(child.id);
    return child;
}

} // namespace

FolderListFollower::FolderListFollower(const FollowedList &list, QObject *parent)
    : QObject(parent), m_list(list),
      m_triage(m_watch, *this,
               {[this] { changesWaiting(); }, [this](const QSet<QString> &names) { applyNames(names); },
                [this](const QSet<QString> &names) { applyManyNames(names); }, [this] { readAgain(); },
                [this] { leaveGoneFolder(); }})
{
    connect(&m_list.model, &QAbstractItemModel::modelAboutToBeReset, this, [this] { ++m_listingCount; });
    // The listing's folder is set after the reset: followed once the listing is done.
    connect(&m_list.model, &QAbstractItemModel::modelReset, this,
            [this] { QMetaObject::invokeMethod(this, &FolderListFollower::follow, Qt::QueuedConnection); });
    connect(&m_watch, &FolderWatch::changed, this, &FolderListFollower::changesWaiting);
}

FolderListFollower::~FolderListFollower() = default;

void FolderListFollower::follow()
{
    if (m_watch.folder() != m_list.listing.currentPath())
        m_triage.forget();
    if (m_list.listing.currentFolder().isFileSystem())
        m_watch.watch(m_list.listing.currentPath());
    else
        m_watch.stop();
}

void FolderListFollower::changesWaiting()
{
    // A re-read under way takes in what came before it; the rest waits for it.
    if (m_reading)
        return;
    // Notices of a folder listed before.
    if (m_watch.folder() != m_list.listing.currentPath()) {
        follow();
        return;
    }
    m_triage.triage(m_list.changes, m_list.listing.currentPath());
}

void FolderListFollower::applyNames(const QSet<QString> &names)
{
    FolderListing &listing = m_list.listing;
    FolderListModel &model = m_list.model;
    FolderListView &view = m_list.view;
    QHash<QString, QPersistentModelIndex> rows;
    for (int row = 0; row < listing.count(); ++row)
        if (QString name = listing.name(row); names.contains(name))
            rows.insert(name, model.index(row, 0));
    // A scrolled list keeps the entry at its top where it is.
    const QPersistentModelIndex top = view.verticalScrollBar()->value() > 0
                                          ? QPersistentModelIndex(view.indexAt(QPoint(1, 1)))
                                          : QPersistentModelIndex();
    bool marksTouched = false;
    const ItemId folder = listing.currentFolder();
    // One collator for the gathering: making one costs more than placing an entry.
    const NameKeys keys;
    for (const QString &name : names) {
        std::optional<FolderChild> now =
            listing.listsName(name) ? childNamed(folder, name) : std::optional<FolderChild>();
        const QPersistentModelIndex at = rows.value(name);
        const int row = at.isValid() ? at.row() : -1;
        if (row < 0 && !now)
            continue;
        if (!now) {
            marksTouched |= listing.isMarked(row);
            removeRow(row);
            continue;
        }
        if (row < 0) {
            const int place = entryRowFor(listing, *now, keys);
            TShellItem entry;
            entry.name = name;
            entry.folderChild = std::move(*now);
            model.insertingRow(place, [&] { listing.insertEntry(place, std::move(entry)); });
            continue;
        }
        // Changed: read again, moved when the order asks, its mark kept and
        // a folder's counted total too.
        TShellItem &entry = listing.entry(row);
        const bool keepsTotal = !entry.needsDetails && entry.folderChild.isFolder && now->isFolder;
        const qint64 total = entry.size;
        marksTouched |= entry.marked;
        entry.folderChild = std::move(*now);
        entry.absoluteId = {};
        entry.needsDetails = true;
        const int place = entryRowFor(listing, entry.folderChild, keys, row);
        model.movingRow(row, place, [&] { listing.moveEntry(row, place); });
        listing.fillDetails(place, place);
        if (keepsTotal)
            listing.entry(place).size = total;
        model.rowsChanged(place, place);
    }
    if (top.isValid()) {
        QScrollBar &sideways = *view.horizontalScrollBar();
        const int left = sideways.value();
        view.scrollTo(top, QAbstractItemView::PositionAtTop);
        sideways.setValue(left);
    }
    if (marksTouched && m_list.marksChanged)
        m_list.marksChanged();
    Q_EMIT applied();
}

void FolderListFollower::removeRow(int row)
{
    FolderListView &view = m_list.view;
    QItemSelectionModel &selection = *view.selectionModel();
    const bool selected = selection.isRowSelected(row, {});
    // The current row moves on to the next entry (the one before at the end).
    if ((selected || view.currentIndex().row() == row) && m_list.listing.count() > 1) {
        const int next = row + 1 < m_list.listing.count() ? row + 1 : row - 1;
        selection.setCurrentIndex(m_list.model.index(next, 0),
                                  selected ? QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows
                                           : QItemSelectionModel::NoUpdate);
    }
    m_list.model.removingRow(row, [&] { m_list.listing.removeEntry(row); });
}

void FolderListFollower::readAgain()
{
    if (m_reading || !m_list.listing.currentFolder().isFileSystem())
        return;
    m_reading = true;
    // What came so far is in the read.
    m_watch.take();
    if (m_reader.joinable())
        m_reader.join();
    m_readFor = m_listingCount;
    m_reader = std::jthread([this, folder = m_list.listing.currentFolder(), key = m_list.listing.sortKey(),
                             hiddenShown = m_list.listing.hiddenShown()] {
        auto read = std::make_shared<FolderListing>();
        read->setSortKey(key);
        read->setHiddenShown(hiddenShown);
        try {
            read->readFolder(folder);
        } catch (const QuilError &) {
            read.reset();
        }
        QMetaObject::invokeMethod(
            this,
            [this, read] {
                m_read = read;
                // A command that began meanwhile has it wait.
                m_list.changes.apply(
                    [self = QPointer(this)] {
                        if (self)
                            self->takeReadListing();
                    },
                    &m_read);
            },
            Qt::QueuedConnection);
    });
}

void FolderListFollower::applyManyNames(const QSet<QString> &names)
{
    // A re-read under way was started after these were taken: it has them.
    if (m_reading || !m_list.listing.currentFolder().isFileSystem())
        return;
    m_reading = true;
    if (m_reader.joinable())
        m_reader.join();
    m_readFor = m_listingCount;
    const FolderListing &listing = m_list.listing;
    m_reader = std::jthread(
        [this, names, folder = listing.currentFolder(), key = listing.sortKey(), hiddenShown = listing.hiddenShown()] {
            // The names' entries as they are now, sorted among themselves.
            auto batch = std::make_shared<FolderListing>();
            batch->setSortKey(key);
            batch->setHiddenShown(hiddenShown);
            QList<FolderChild> present;
            for (const QString &name : names)
                if (std::optional<FolderChild> child = childNamed(folder, name))
                    present.append(std::move(*child));
            batch->replaceEntries(std::move(present));
            QMetaObject::invokeMethod(
                this,
                [this, names, batch] {
                    m_list.changes.apply(
                        [self = QPointer(this), names, batch] {
                            if (self)
                                self->takeNamedEntries(names, *batch);
                        },
                        &m_read);
                },
                Qt::QueuedConnection);
        });
}

void FolderListFollower::takeNamedEntries(const QSet<QString> &names, FolderListing &batch)
{
    m_reading = false;
    FolderListing &listing = m_list.listing;
    if (m_readFor == m_listingCount) {
        FolderListView &view = m_list.view;
        const int current = view.currentIndex().row();
        const QPersistentModelIndex top = view.verticalScrollBar()->value() > 0
                                              ? QPersistentModelIndex(view.indexAt(QPoint(1, 1)))
                                              : QPersistentModelIndex();
        // Every row of a name goes; the names that are still there come back
        // in their sorted place, a changed entry with its mark and total and
        // followed by the rows that were on it.
        std::vector<int> goneRows;
        QHash<QString, int> rowOfName;
        for (int row = 0; row < listing.count(); ++row)
            if (const QString name = listing.name(row); names.contains(name)) {
                goneRows.push_back(row);
                rowOfName.insert(name, row);
            }
        bool marksTouched = false;
        for (const int row : goneRows)
            marksTouched |= listing.isMarked(row);
        std::vector<FolderChild *> children;
        for (int row = 0; row < batch.count(); ++row)
            children.push_back(&batch.entry(row).folderChild);
        const std::vector<int> places = entryRowsFor(listing, children, NameKeys());
        std::vector<std::pair<int, TShellItem>> coming;
        std::vector<int> replacedRows;
        for (int row = 0; row < batch.count(); ++row) {
            TShellItem &entry = batch.entry(row);
            const int oldRow = rowOfName.value(entry.name, -1);
            if (oldRow >= 0) {
                const TShellItem &old = listing.entry(oldRow);
                entry.marked = old.marked;
                if (old.folderChild.isFolder && !old.needsDetails && entry.folderChild.isFolder) {
                    batch.fillDetails(row, row);
                    entry.size = old.size;
                }
            }
            replacedRows.push_back(oldRow);
            coming.emplace_back(places[size_t(row)], std::move(entry));
        }
        m_list.model.replacingRows([&](const std::vector<int> &oldRows) {
            const int oldCount = listing.count();
            std::vector<int> newRows = listing.changeRows(goneRows, std::move(coming));
            for (size_t i = 0; i < replacedRows.size(); ++i)
                if (replacedRows[i] >= 0)
                    newRows[size_t(replacedRows[i])] = newRows[size_t(oldCount) + i];
            // A row whose entry went moves on to the next entry that stayed.
            const auto rowAfter = [&](int row) {
                for (int next = row; next >= 0 && next < oldCount; ++next)
                    if (newRows[size_t(next)] >= 0)
                        return newRows[size_t(next)];
                return listing.count() - 1;
            };
            std::vector<int> moved;
            for (const int row : oldRows)
                moved.push_back(row == current               ? rowAfter(row)
                                : row >= 0 && row < oldCount ? newRows[size_t(row)]
                                                             : -1);
            return moved;
        });
        if (top.isValid())
            view.scrollTo(top, QAbstractItemView::PositionAtTop);
        if (marksTouched && m_list.marksChanged)
            m_list.marksChanged();
        Q_EMIT applied();
    }
    if (m_watch.hasPending())
        changesWaiting();
}

void FolderListFollower::takeReadListing()
{
    m_reading = false;
    std::shared_ptr<FolderListing> read = std::exchange(m_read, nullptr);
    FolderListing &listing = m_list.listing;
    if (read && m_readFor == m_listingCount) {
        FolderListView &view = m_list.view;
        const int current = view.currentIndex().row();
        const QPersistentModelIndex top = view.verticalScrollBar()->value() > 0
                                              ? QPersistentModelIndex(view.indexAt(QPoint(1, 1)))
                                              : QPersistentModelIndex();
        bool marksTouched = false;
        m_list.model.replacingRows([&](const std::vector<int> &oldRows) {
            // The entries the persistent rows and the marks are on, found
            // again by their sorted place: a few binary searches instead of
            // a pass over a large folder.
            std::vector<TShellItem> kept;
            for (const int row : oldRows)
                kept.push_back(row >= 0 && row < listing.count() ? listing.entry(row) : TShellItem{});
            std::vector<TShellItem> marked;
            for (int row = 0; row < listing.count(); ++row)
                if (listing.isMarked(row))
                    marked.push_back(listing.entry(row));
            listing.takeEntries(*read);
            const NameKeys keys;
            const auto newRowOf = [&](TShellItem &old) {
                if (old.name.isEmpty())
                    return -1;
                const int after = entryRowFor(listing, old.folderChild, keys);
                for (int row = after - 1; row >= 0 && row >= after - 8; --row)
                    if (listing.name(row) == old.name)
                        return row;
                // Its place changed with its details (size, date): searched.
                return listing.findEntry(old.name);
            };
            for (TShellItem &old : marked) {
                const int row = newRowOf(old);
                if (row < 0)
                    continue;
                TShellItem &entry = listing.entry(row);
                entry.marked = true;
                // A folder keeps the total its walk counted.
                if (old.folderChild.isFolder && !old.needsDetails && entry.folderChild.isFolder) {
                    listing.fillDetails(row, row);
                    entry.size = old.size;
                }
            }
            // A marked entry may have changed or gone.
            marksTouched = !marked.empty();
            std::vector<int> newRows;
            for (TShellItem &old : kept)
                newRows.push_back(newRowOf(old));
            return newRows;
        });
        if (!view.currentIndex().isValid() && current >= 0 && listing.count() > 0)
            view.setCurrentIndex(m_list.model.index(std::min(current, listing.count() - 1), 0));
        if (top.isValid())
            view.scrollTo(top, QAbstractItemView::PositionAtTop);
        if (marksTouched && m_list.marksChanged)
            m_list.marksChanged();
        Q_EMIT applied();
    }
    // The entries taken out are freed on the worker: at a large folder
    // that alone would stall the window.
    const bool wasRead = read != nullptr;
    if (wasRead)
        m_reader = std::jthread([old = std::move(read)]() mutable { old.reset(); });
    // What came during the read (the folder's removal too).
    if (m_watch.hasPending() || !wasRead)
        changesWaiting();
}

void FolderListFollower::leaveGoneFolder()
{
    const QString gone = m_list.listing.currentPath();
    if (!m_list.listing.currentFolder().isFileSystem())
        return;
    // Another folder of the name took its place.
    if (directoryExists(gone)) {
        follow();
        readAgain();
        return;
    }
    // One folder is tried: no loop of listings that fail.
    const FolderPath above = existingFolderAbove(FolderPath(gone));
    if (!above.isEmpty()) {
        try {
            m_list.listFolder(above);
            m_list.setStatus(goneFolderText(FolderPath(gone), above));
            return;
        } catch (const QuilError &) {
        }
    }
    // Nothing above can be listed: the list stays as it is, unwatched.
    m_watch.stop();
}

} // namespace quil
