#include "fileops/PanelListModel.h"

#include "platform/IconList.h"
#include "platform/ItemId.h"
#include "platform/LocationUri.h"
#include "platform/ShellNamespace.h"

namespace quil {

namespace {

// A row of a location holds a URI; a row of the disk an absolute path.
bool isLocationRow(const QString &full)
{
    return !full.startsWith(QLatin1Char('/'));
}

} // namespace

PanelListModel::PanelListModel(QStringList &folders, QStringList &files, QObject *parent)
    : QAbstractListModel(parent), m_folders(folders), m_files(files), m_icons(size_t(folders.size() + files.size()), -1)
{}

int PanelListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_folders.size() + m_files.size());
}

const QString &PanelListModel::path(int row) const
{
    return isFolder(row) ? m_folders.at(row) : m_files.at(row - m_folders.size());
}

QString PanelListModel::caption(int row) const
{
    const QString &full = path(row);
    const auto typed = m_typed.constFind(full);
    if (typed != m_typed.constEnd())
        return *typed;
    return isLocationRow(full) ? gioLocationName(full) : FolderPath(full).lastName();
}

QVariant PanelListModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const int row = index.row();
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
    case Qt::AccessibleTextRole:
    // The icon view cuts long names short.
    case Qt::ToolTipRole:
        return caption(row);
    case Qt::DecorationRole: {
        int &icon = m_icons[size_t(row)];
        if (icon < 0) {
            const QString &full = path(row);
            const ItemId item = isLocationRow(full) ? ItemId::location(full) : ItemId::fromPath(full);
            icon = ShellNamespace::iconIndex(item, isFolder(row));
        }
        return IconList::icon(icon);
    }
    case PathRole:
        return path(row);
    default:
        return {};
    }
}

Qt::ItemFlags PanelListModel::flags(const QModelIndex &index) const
{
    // Names are edited in place on the disk only.
    const bool local = index.isValid() && index.row() < rowCount() && !isLocationRow(path(index.row()));
    return QAbstractListModel::flags(index) | (local ? Qt::ItemIsEditable : Qt::NoItemFlags);
}

bool PanelListModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (role != Qt::EditRole || !index.isValid())
        return false;
    m_typed.insert(path(index.row()), value.toString());
    Q_EMIT dataChanged(index, index, {Qt::DisplayRole, Qt::EditRole});
    return true;
}

void PanelListModel::replace(PanelFolderListing listing)
{
    beginResetModel();
    m_folders = std::move(listing.folders);
    m_files = std::move(listing.files);
    m_icons.assign(size_t(m_folders.size() + m_files.size()), -1);
    m_typed.clear();
    endResetModel();
}

int PanelListModel::rowOfPath(const QString &full) const
{
    const qsizetype inFolders = m_folders.indexOf(full);
    if (inFolders >= 0)
        return int(inFolders);
    const qsizetype inFiles = m_files.indexOf(full);
    return inFiles >= 0 ? int(m_folders.size() + inFiles) : -1;
}

int PanelListModel::longestRow() const
{
    int longest = -1;
    qsizetype length = -1;
    for (int row = 0; row < rowCount(); ++row) {
        // The paths share their folder: the longest has the longest name.
        if (const qsizetype own = path(row).size(); own > length) {
            length = own;
            longest = row;
        }
    }
    return longest;
}

int PanelListModel::insertPath(const QString &full, bool folder)
{
    QStringList &group = folder ? m_folders : m_files;
    const qsizetype place = PanelNameOrder().placeOf(group, full);
    const int row = int(place + (folder ? 0 : m_folders.size()));
    beginInsertRows({}, row, row);
    group.insert(place, full);
    m_icons.insert(m_icons.begin() + row, -1);
    endInsertRows();
    return row;
}

void PanelListModel::removePath(int row)
{
    beginRemoveRows({}, row, row);
    m_typed.remove(path(row));
    if (isFolder(row))
        m_folders.removeAt(row);
    else
        m_files.removeAt(row - m_folders.size());
    m_icons.erase(m_icons.begin() + row);
    endRemoveRows();
}

void PanelListModel::refreshIcon(int row)
{
    m_icons[size_t(row)] = -1;
    const QModelIndex changed = index(row);
    Q_EMIT dataChanged(changed, changed, {Qt::DecorationRole});
}

} // namespace quil
