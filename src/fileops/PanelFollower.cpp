#include "fileops/PanelFollower.h"

#include "fileops/PanelFolder.h"
#include "listing/GoneFolder.h"
#include "platform/ChangeHold.h"
#include "platform/IconList.h"
#include "platform/ItemId.h"
#include "platform/NativePath.h"
#include "platform/SettingsFiles.h"
#include "platform/ShellNamespace.h"

#include <QLabel>
#include <QListWidget>
#include <QPointer>
#include <QScrollBar>

#include <sys/stat.h>

namespace quil {

QListWidgetItem *newPanelRow(const QString &path, bool isFolder)
{
    auto *item = new QListWidgetItem(FolderPath(path).lastName());
    item->setIcon(IconList::icon(ShellNamespace::iconIndex(ItemId::fromPath(path), isFolder)));
    item->setFlags(item->flags() | Qt::ItemIsEditable);
    return item;
}

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

void PanelFollower::changesWaiting()
{
    if (m_watch.folder() != m_panel.folder().path()) {
        follow(m_panel.folder());
        return;
    }
    m_triage.triage(m_panel.changes(), m_panel.folder().path());
}

void PanelFollower::applyNames(const QSet<QString> &names)
{
    QListWidget &list = m_panel.list;
    const int across = list.horizontalScrollBar()->value();
    const int down = list.verticalScrollBar()->value();
    const FolderPath folder = m_panel.folder();
    const PanelNameOrder order;
    for (const QString &name : names) {
        const QString path = folder.filePath(name);
        struct stat info
        {
        };
        const bool exists =
            ::stat(toNative(path).constData(), &info) == 0 || ::lstat(toNative(path).constData(), &info) == 0;
        // A link to a folder is a folder, as the panel's listing has it.
        const bool isFolder = exists && S_ISDIR(info.st_mode);
        const qsizetype inFolders = m_panel.folders.indexOf(path);
        const qsizetype inFiles = inFolders < 0 ? m_panel.files.indexOf(path) : -1;
        const int row = inFolders >= 0 ? int(inFolders) : inFiles >= 0 ? int(m_panel.folders.size() + inFiles) : -1;
        const bool sameKind = row >= 0 && exists && (inFolders >= 0) == isFolder;
        if (sameKind) {
            list.item(row)->setIcon(IconList::icon(ShellNamespace::iconIndex(ItemId::fromPath(path), isFolder)));
            continue;
        }
        if (row >= 0)
            removeRow(row);
        if (!exists)
            continue;
        QStringList &group = isFolder ? m_panel.folders : m_panel.files;
        const qsizetype place = order.placeOf(group, path);
        group.insert(place, path);
        list.insertItem(int(place + (isFolder ? 0 : m_panel.folders.size())), newPanelRow(path, isFolder));
    }
    list.horizontalScrollBar()->setValue(across);
    list.verticalScrollBar()->setValue(down);
    showCounts();
    Q_EMIT applied();
}

void PanelFollower::removeRow(int row)
{
    QListWidget &list = m_panel.list;
    if (list.currentRow() == row && list.count() > 1) {
        const int next = row + 1 < list.count() ? row + 1 : row - 1;
        list.setCurrentRow(next, list.item(row)->isSelected() ? QItemSelectionModel::ClearAndSelect
                                                              : QItemSelectionModel::NoUpdate);
    }
    delete list.takeItem(row);
    if (row < m_panel.folders.size())
        m_panel.folders.removeAt(row);
    else
        m_panel.files.removeAt(row - m_panel.folders.size());
}

void PanelFollower::listAgain()
{
    QListWidget &list = m_panel.list;
    const QString current = list.currentItem() != nullptr ? list.currentItem()->text() : QString();
    const int down = list.verticalScrollBar()->value();
    m_panel.listFolder(m_panel.folder());
    const QList<QListWidgetItem *> found = list.findItems(current, Qt::MatchExactly);
    if (!current.isEmpty() && !found.isEmpty())
        list.setCurrentItem(found.first());
    list.verticalScrollBar()->setValue(down);
    Q_EMIT applied();
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
    m_panel.setInfo(goneFolderText(gone, above));
    Q_EMIT applied();
}

void PanelFollower::showCounts()
{
    m_panel.folderCount.setText(QString::number(m_panel.folders.size()));
    m_panel.folderCount.adjustSize();
    m_panel.fileCount.setText(QString::number(m_panel.files.size()));
    m_panel.fileCount.adjustSize();
}

} // namespace quil
