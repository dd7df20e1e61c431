// Drag and drop between the main list, the second panel, the folder tree and
// other programs; the work is FileDragDrop's and the copy and move command's.
#include "app/TForm1.h"

#include "app/FileDragDrop.h"
#include "fileops/CopyMoveCommand.h"
#include "fileops/PanelListModel.h"
#include "fileops/TForm4.h"
#include "listing/FolderListModel.h"
#include "listing/FolderListView.h"
#include "listing/FolderTreeModel.h"
#include "platform/ItemId.h"
#include "platform/Services.h"
#include "platform/ShellNamespace.h"

#include <QTreeView>

namespace {

// A row's entry when it is a folder (or a link to one); else the view's folder.
quil::FolderPath folderOrOwn(const QString &rowPath, const quil::FolderPath &own)
{
    if (!rowPath.isEmpty() && quil::ShellNamespace::isFolder(quil::ItemId::fromPath(rowPath)))
        return quil::FolderPath(rowPath);
    return own;
}

} // namespace

void TForm1::setUpDragDrop(TForm4 &panel)
{
    m_dragDrop = new quil::FileDragDrop(
        m_services.dialogs,
        [this](const quil::CommandSources &sources, const quil::FolderPath &folder, bool move) {
            const auto held = commandHold();
            m_copyMove->dropFiles(sources, folder, move);
        },
        this);
    quil::FileDragDrop::Site list;
    list.view = ListView;
    list.folderAt = [this](QPoint point) {
        const QModelIndex index = ListView->indexAt(point);
        const QString rowPath = index.isValid() ? m_listing.entry(index.row()).path() : QString();
        return folderOrOwn(rowPath, listedFolder());
    };
    list.sourcesAt = [this](const QModelIndex &index) { return quil::collectSources(m_listing, index.row()); };
    // The press that began the drag opens no name editor.
    list.dragEnded = [this] { ListView->cancelPendingEdit(); };
    m_dragDrop->addSite(std::move(list));

    quil::FileDragDrop::Site second;
    second.view = panel.listView();
    const auto panelRowPath = [&panel](const QModelIndex &index) {
        return index.isValid() ? index.data(quil::PanelListModel::PathRole).toString() : QString();
    };
    second.folderAt = [&panel, panelRowPath](QPoint point) {
        return folderOrOwn(panelRowPath(panel.listView()->indexAt(point)), panel.folderPath());
    };
    second.sourcesAt = [panelRowPath](const QModelIndex &index) {
        return quil::CommandSources{{panelRowPath(index)}, {index.data().toString()}, false};
    };
    m_dragDrop->addSite(std::move(second));

    quil::FileDragDrop::Site tree;
    tree.view = ShellTreeView1;
    tree.folderAt = [this](QPoint point) {
        const QModelIndex index = ShellTreeView1->indexAt(point);
        return index.isValid() ? quil::FolderPath(m_treeModel->pathOf(index)) : quil::FolderPath();
    };
    m_dragDrop->addSite(std::move(tree));
}
