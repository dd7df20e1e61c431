#include "listing/FolderTreeModel.h"

#include "platform/FolderPath.h"
#include "platform/IconList.h"
#include "platform/ItemComparator.h"
#include "platform/OsError.h"
#include "platform/ShellNamespace.h"

#include <algorithm>
#include <functional>

namespace quil {

struct FolderTreeModel::Node
{
    ItemId id;
    QString name;
    int iconIndex = 0;
    Node *parent = nullptr;
    int row = 0;
    bool loaded = false;
    std::vector<std::unique_ptr<Node>> children;
};

FolderTreeModel::FolderTreeModel(QObject *parent) : QAbstractItemModel(parent), m_root(std::make_unique<Node>())
{
    m_root->children = readChildren(m_root.get());
    m_root->loaded = true;
}

FolderTreeModel::~FolderTreeModel() = default;

std::vector<std::unique_ptr<FolderTreeModel::Node>> FolderTreeModel::readChildren(Node *node) const
{
    std::vector<std::unique_ptr<Node>> result;
    QList<FolderChild> children;
    try {
        children = ShellNamespace::enumerate(node->id, ShellNamespace::ResolveLinks);
    } catch (const QuilError &) {
        // An unreadable folder shows no children; the tree is no place for an
        // error box.
        return result;
    }
    const ItemComparator comparator;
    std::vector<std::pair<ItemSortKey, FolderChild *>> folders;
    for (FolderChild &child : children)
        if (child.isFolder)
            folders.emplace_back(comparator.key(child.name, true, 0, {}, 0, child.order), &child);
    std::sort(folders.begin(), folders.end(), [](const auto &a, const auto &b) {
        return ItemComparator::compare(a.first, b.first, SortColumn::Name) < 0;
    });
    for (const auto &[key, child] : folders) {
        auto made = std::make_unique<Node>();
        made->id = child->id;
        made->name = child->name;
        made->iconIndex = ShellNamespace::iconIndex(child->id);
        made->parent = node;
        made->row = int(result.size());
        result.push_back(std::move(made));
    }
    return result;
}

FolderTreeModel::Node *FolderTreeModel::nodeOf(const QModelIndex &index) const
{
    return index.isValid() ? static_cast<Node *>(index.internalPointer()) : m_root.get();
}

QModelIndex FolderTreeModel::indexOf(Node *node) const
{
    if (node == nullptr || node == m_root.get())
        return {};
    return createIndex(node->row, 0, node);
}

ItemId FolderTreeModel::itemOf(const QModelIndex &index) const
{
    return nodeOf(index)->id;
}

QString FolderTreeModel::pathOf(const QModelIndex &index) const
{
    const ItemId id = itemOf(index);
    return id.isFileSystem() ? id.path() : QString();
}

QModelIndex FolderTreeModel::indexForPath(const FolderPath &target)
{
    Node *computer = nullptr;
    for (const auto &child : m_root->children)
        if (child->id.isComputer())
            computer = child.get();
    if (computer == nullptr)
        return {};
    const auto loadChildren = [this](Node *node) {
        if (!node->loaded)
            fetchMore(indexOf(node));
    };
    loadChildren(computer);
    const auto holdsTarget = [&target](const Node &node) { return FolderPath(node.id.path()).contains(target); };
    Node *volume = nullptr;
    for (const auto &child : computer->children)
        if (holdsTarget(*child) && (volume == nullptr || child->id.path().size() > volume->id.path().size()))
            volume = child.get();
    if (volume == nullptr)
        return {};
    Node *node = volume;
    while (node->id.path() != target.path()) {
        loadChildren(node);
        Node *next = nullptr;
        for (const auto &child : node->children)
            if (holdsTarget(*child))
                next = child.get();
        if (next == nullptr)
            break;
        node = next;
    }
    return indexOf(node);
}

QModelIndex FolderTreeModel::nodeAtPosition(int position) const
{
    int counted = 0;
    Node *found = nullptr;
    const std::function<bool(Node *)> walk = [&](Node *node) {
        if (counted++ == position) {
            found = node;
            return true;
        }
        for (const auto &child : node->children)
            if (walk(child.get()))
                return true;
        return false;
    };
    walk(m_root.get());
    return found ? indexOf(found) : QModelIndex();
}

int FolderTreeModel::positionOf(const QModelIndex &index) const
{
    if (!index.isValid())
        return -1;
    const Node *target = nodeOf(index);
    int counted = 0;
    const std::function<bool(const Node *)> walk = [&](const Node *node) {
        if (node == target)
            return true;
        ++counted;
        for (const auto &child : node->children)
            if (walk(child.get()))
                return true;
        return false;
    };
    return walk(m_root.get()) ? counted : -1;
}

void FolderTreeModel::refreshNode(const QModelIndex &index)
{
    Node *node = nodeOf(index);
    if (!node->children.empty()) {
        beginRemoveRows(index, 0, int(node->children.size()) - 1);
        node->children.clear();
        endRemoveRows();
    }
    std::vector<std::unique_ptr<Node>> children = readChildren(node);
    if (!children.empty()) {
        beginInsertRows(index, 0, int(children.size()) - 1);
        node->children = std::move(children);
        endInsertRows();
    }
    node->loaded = true;
}

QModelIndex FolderTreeModel::index(int row, int column, const QModelIndex &parent) const
{
    if (column != 0 || row < 0)
        return {};
    Node *node = nodeOf(parent);
    if (row >= int(node->children.size()))
        return {};
    return createIndex(row, 0, node->children[size_t(row)].get());
}

QModelIndex FolderTreeModel::parent(const QModelIndex &child) const
{
    if (!child.isValid())
        return {};
    return indexOf(nodeOf(child)->parent);
}

int FolderTreeModel::rowCount(const QModelIndex &parent) const
{
    if (parent.isValid() && parent.column() != 0)
        return 0;
    return int(nodeOf(parent)->children.size());
}

int FolderTreeModel::columnCount(const QModelIndex &) const
{
    return 1;
}

QVariant FolderTreeModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid())
        return {};
    const Node *node = nodeOf(index);
    if (role == Qt::DisplayRole)
        return node->name;
    if (role == Qt::DecorationRole)
        return IconList::icon(node->iconIndex);
    return {};
}

bool FolderTreeModel::hasChildren(const QModelIndex &parent) const
{
    if (parent.isValid() && parent.column() != 0)
        return false;
    const Node *node = nodeOf(parent);
    return !node->loaded || !node->children.empty();
}

bool FolderTreeModel::canFetchMore(const QModelIndex &parent) const
{
    return !nodeOf(parent)->loaded;
}

void FolderTreeModel::fetchMore(const QModelIndex &parent)
{
    Node *node = nodeOf(parent);
    if (node->loaded)
        return;
    node->loaded = true;
    std::vector<std::unique_ptr<Node>> children = readChildren(node);
    if (children.empty())
        return;
    beginInsertRows(parent, 0, int(children.size()) - 1);
    node->children = std::move(children);
    endInsertRows();
}

} // namespace quil
