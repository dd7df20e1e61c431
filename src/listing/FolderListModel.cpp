#include "listing/FolderListModel.h"

#include "listing/EntryText.h"
#include "listing/FolderListing.h"
#include "platform/IconList.h"
#include "platform/ReadableColour.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QIcon>
#include <QPalette>

namespace quil {

FolderListModel::FolderListModel(FolderListing &listing, QObject *parent)
    : QAbstractTableModel(parent), m_listing(listing)
{
    for (int column = 0; column < ColumnCount; ++column)
        m_captions.append(columnCaption(column));
}

void FolderListModel::fillDetails(int first, int last)
{
    if (first < 0 || last >= m_listing.count() || last < first)
        return;
    const auto [filledFirst, filledLast] = m_listing.fillDetails(first, last);
    if (filledLast >= filledFirst)
        Q_EMIT dataChanged(index(filledFirst, 0), index(filledLast, ColumnCount - 1));
}

void FolderListModel::rowsChanged(int first, int last)
{
    if (first < 0 || last >= m_listing.count() || last < first)
        return;
    Q_EMIT dataChanged(index(first, 0), index(last, ColumnCount - 1));
}

void FolderListModel::markSortColumn(int column)
{
    for (int i = 0; i < m_captions.size(); ++i)
        m_captions[i] = withSortMarker(m_captions.at(i), i == column);
    Q_EMIT headerDataChanged(Qt::Horizontal, 0, ColumnCount - 1);
}

int FolderListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_listing.count();
}

int FolderListModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant FolderListModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_listing.count())
        return {};
    const TShellItem &entry = std::as_const(m_listing).entry(index.row());
    const int column = index.column();
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        switch (column) {
        case ColumnName:
            return entry.name;
        case ColumnSize:
            // The folder test is asked at every request, so a folder shows
            // "<dir>" even after its total has been stored in the entry.
            return sizeColumnText(m_listing.isFolder(index.row()), entry.size);
        case ColumnDate:
            return entry.dateText;
        case ColumnType:
            return entry.typeText;
        case ColumnAttributes:
            return attributeLetters(entry.attributes);
        }
        return {};
    case Qt::DecorationRole:
        if (column == ColumnName && !entry.needsDetails)
            return IconList::icon(entry.iconIndex);
        return {};
    case Qt::FontRole:
        if (entry.attributes & AttributeHidden) {
            QFont font = m_baseFont;
            font.setStrikeOut(true);
            return font;
        }
        return {};
    // A screen reader hears the mark, which only the red colour shows: a
    // checked name cell, described as marked.
    case Qt::CheckStateRole:
        if (column == ColumnName)
            return entry.marked ? Qt::Checked : Qt::Unchecked;
        return {};
    case Qt::AccessibleDescriptionRole:
        if (column == ColumnName && entry.marked)
            return QCoreApplication::translate("FolderListModel", "отмечен");
        return {};
    case Qt::ForegroundRole:
        if (entry.marked) {
            const QPalette palette = QGuiApplication::palette();
            return textColourOn(QColor(255, 0, 0), palette.color(QPalette::Base), palette);
        }
        // The list's own colour is the window-text colour, not the views'
        // text colour.
        if (column == ColumnName && (entry.attributes & AttributeSystem))
            return QGuiApplication::palette().color(QPalette::Highlight);
        return QGuiApplication::palette().color(QPalette::WindowText);
    default:
        return {};
    }
}

QVariant FolderListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= m_captions.size())
        return {};
    if (role == Qt::DisplayRole)
        return m_captions.at(section);
    return {};
}

Qt::ItemFlags FolderListModel::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    Qt::ItemFlags result = Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
    // Every entry's name may be edited in place; what the edit does is the
    // rename command's.
    if (index.column() == ColumnName)
        result |= Qt::ItemIsEditable;
    return result;
}

bool FolderListModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (!index.isValid() || role != Qt::EditRole || index.column() != ColumnName || index.row() >= m_listing.count())
        return false;
    Q_EMIT nameEdited(index.row(), value.toString());
    return false;
}

} // namespace quil
