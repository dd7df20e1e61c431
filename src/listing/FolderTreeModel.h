#pragma once

#include "platform/FolderPath.h"
#include "platform/ItemId.h"

#include <QAbstractItemModel>
#include <memory>
#include <vector>

namespace quil {

// The folder tree: the namespace from the desktop down, folders only, hidden
// ones included. The desktop is the hidden root; its children are the home
// folder and the computer folder with the volumes. A node's children are read
// when the node is first expanded (fetchMore) and again only on refreshNode.
class FolderTreeModel : public QAbstractItemModel
{
    Q_OBJECT
public:
    explicit FolderTreeModel(QObject *parent = nullptr);
    ~FolderTreeModel() override;

    // The item of a node; the desktop for the invalid index.
    ItemId itemOf(const QModelIndex &index) const;
    // The file-system path of a node; empty for virtual folders.
    QString pathOf(const QModelIndex &index) const;

    // The deepest node on the way to a folder through the computer folder
    // and the folder's volume, reading the children of each node on the way
    // that were not read yet. Invalid when no volume holds the folder.
    QModelIndex indexForPath(const FolderPath &target);

    // The node at an absolute position: counted from 0 (the hidden desktop
    // root, the invalid index) through every node created so far, depth
    // first, children of collapsed nodes included. Invalid beyond the end.
    QModelIndex nodeAtPosition(int position) const;
    // The absolute position of a node, as nodeAtPosition counts; -1 for an
    // invalid index. O(n) over the nodes created so far.
    int positionOf(const QModelIndex &index) const;
    // Reads the children of a node afresh (the invalid index: the desktop).
    void refreshNode(const QModelIndex &index);

    QModelIndex index(int row, int column, const QModelIndex &parent = QModelIndex()) const override;
    QModelIndex parent(const QModelIndex &child) const override;
    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    bool hasChildren(const QModelIndex &parent = QModelIndex()) const override;
    bool canFetchMore(const QModelIndex &parent) const override;
    void fetchMore(const QModelIndex &parent) override;

private:
    struct Node;
    Node *nodeOf(const QModelIndex &index) const;
    QModelIndex indexOf(Node *node) const;
    // The folders below a node, sorted by name; empty when it cannot be read.
    std::vector<std::unique_ptr<Node>> readChildren(Node *node) const;

    std::unique_ptr<Node> m_root;
};

} // namespace quil
