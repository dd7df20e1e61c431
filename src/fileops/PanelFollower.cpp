#include "fileops/PanelFollower.h"

#include "fileops/PanelListModel.h"
#include "listing/GoneFolder.h"
#include "platform/ChangeHold.h"
#include "platform/NativePath.h"
#include "platform/SettingsFiles.h"

#include <QListView>
#include <QScrollBar>

#include <sys/stat.h>

namespace quil {

PanelFollower::PanelFollower(const FollowedPanel &panel, QObject *parent)
    : QObject(parent), m_panel(panel), m_triage(m_watch, *this,
                                                {[this] { changesWaiting(); },
                                                 [this](const QSet<QString> &names) { applyNames(names); },
                                                 {},
                                                 [this] { listAgain(); },
                                                 [this] { leaveGoneFolder(); }})
{
    connect(&m_watch, &FolderWatch::changed, this, &PanelFollower::changesWaiting);
}

void PanelFollower::follow(const FolderPath &folder)
{
    if (m_watch.folder() != folder.path())
        m_triage.forget();
    m_watch.watch(folder.path());
}

void PanelFollower::caughtUp()
{
    if (m_watch.hasPending())
        changesWaiting();
}

void PanelFollower::changesWaiting()
{
    // Rows put now would be lost when the listing read meanwhile is shown.
    if (m_panel.isReading())
        return;
    if (m_watch.folder() != m_panel.folder().path()) {
        follow(m_panel.folder());
        return;
    }
    m_triage.triage(m_panel.changes(), m_panel.folder().path());
}

void PanelFollower::applyNames(const QSet<QString> &names)
{
    QListView &list = m_panel.list;
    PanelListModel &rows = m_panel.rows;
    const int across = list.horizontalScrollBar()->value();
    const int down = list.verticalScrollBar()->value();
    const FolderPath folder = m_panel.folder();
    for (const QString &name : names) {
        const QString path = folder.filePath(name);
        struct stat info
        {
        };
        const bool exists =
            ::stat(toNative(path).constData(), &info) == 0 || ::lstat(toNative(path).constData(), &info) == 0;
        // A link to a folder is a folder, as the panel's listing has it.
        const bool isFolder = exists && S_ISDIR(info.st_mode);
        const int row = rows.rowOfPath(path);
        if (row >= 0 && exists && rows.isFolder(row) == isFolder) {
            rows.refreshIcon(row);
            continue;
        }
        if (row >= 0)
            removeRow(row);
        if (exists)
            rows.insertPath(path, isFolder);
    }
    list.horizontalScrollBar()->setValue(across);
    list.verticalScrollBar()->setValue(down);
    m_panel.showCounts();
    Q_EMIT applied();
}

void PanelFollower::removeRow(int row)
{
    QListView &list = m_panel.list;
    const int count = m_panel.rows.rowCount();
    if (list.currentIndex().row() == row && count > 1) {
        const int next = row + 1 < count ? row + 1 : row - 1;
        const bool selected = list.selectionModel()->isSelected(list.currentIndex());
        list.selectionModel()->setCurrentIndex(m_panel.rows.index(next), selected ? QItemSelectionModel::ClearAndSelect
                                                                                  : QItemSelectionModel::NoUpdate);
    }
    m_panel.rows.removePath(row);
}

void PanelFollower::listAgain()
{
    QListView &list = m_panel.list;
    const QString current = list.currentIndex().data(Qt::DisplayRole).toString();
    const int down = list.verticalScrollBar()->value();
    m_panel.listFolder(m_panel.folder());
    m_panel.whenListed([this, current, down] {
        QListView &shown = m_panel.list;
        PanelListModel &rows = m_panel.rows;
        for (int row = 0; !current.isEmpty() && row < rows.rowCount(); ++row) {
            if (rows.caption(row) == current) {
                shown.setCurrentIndex(rows.index(row));
                break;
            }
        }
        shown.verticalScrollBar()->setValue(down);
        Q_EMIT applied();
    });
}

void PanelFollower::leaveGoneFolder()
{
    const FolderPath gone = m_panel.folder();
    if (directoryExists(gone.path())) {
        listAgain();
        return;
    }
    const FolderPath above = existingFolderAbove(gone);
    if (above.isEmpty()) {
        m_watch.stop();
        return;
    }
    m_panel.listFolder(above);
    m_panel.whenListed([this, text = goneFolderText(gone, above)] {
        m_panel.setInfo(text);
        Q_EMIT applied();
    });
}

} // namespace quil
