#include "listing/FolderListModel.h"

#include "listing/EntryText.h"
#include "listing/FolderListing.h"
#include "platform/IconList.h"
#include "platform/ReadableColour.h"

#include <QGuiApplication>
#include <QIcon>
#include <QPalette>

FolderListModel::FolderListModel(FolderListing &listing, QObject *parent)
    : QAbstractTableModel(parent), m_listing(listing)
{
    for (int column = 0; column < quil::ColumnCount; ++column)
        m_captions.append(quil::columnCaption(column));
}

void FolderListModel::fillDetails(int first, int last)
{
    if (first < 0 || last >= m_listing.count() || last < first)
        return;
    const auto [filledFirst, filledLast] = m_listing.fillDetails(first, last);
    if (filledLast >= filledFirst)
        Q_EMIT dataChanged(index(filledFirst, 0), index(filledLast, quil::ColumnCount - 1));
}

void FolderListModel::rowsChanged(int first, int last)
{
    if (first < 0 || last >= m_listing.count() || last < first)
        return;
    Q_EMIT dataChanged(index(first, 0), index(last, quil::ColumnCount - 1));
}

void FolderListModel::markSortColumn(int column)
{
    for (int i = 0; i < m_captions.size(); ++i)
        m_captions[i] = quil::withSortMarker(m_captions.at(i), i == column);
    Q_EMIT headerDataChanged(Qt::Horizontal, 0, quil::ColumnCount - 1);
}

int FolderListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_listing.count();
}

int FolderListModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : quil::ColumnCount;
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
        case quil::ColumnName:
            return entry.name;
        case quil::ColumnSize:
            // The folder test is asked at every request, so a folder shows
            // "<dir>" even after its total has been stored in the entry.
            return quil::sizeColumnText(m_listing.isFolder(index.row()), entry.size);
        case quil::ColumnDate:
            return entry.dateText;
        case quil::ColumnType:
            return entry.typeText;
        case quil::ColumnAttributes:
            return quil::attributeLetters(entry.attributes);
        }
        return {};
    case Qt::DecorationRole:
        if (column == quil::ColumnName && !entry.needsDetails)
            return quil::IconList::icon(entry.iconIndex);
        return {};
    case Qt::FontRole:
        if (entry.attributes & quil::AttributeHidden) {
            QFont font = m_baseFont;
            font.setStrikeOut(true);
            return font;
        }
        return {};
    // A screen reader hears the mark, which only the red colour shows: a
    // checked name cell, described as marked.
    case Qt::CheckStateRole:
        if (column == quil::ColumnName)
            return entry.marked ? Qt::Checked : Qt::Unchecked;
        return {};
    case Qt::AccessibleDescriptionRole:
        if (column == quil::ColumnName && entry.marked)
            return QStringLiteral("отмечен");
        return {};
    case Qt::ForegroundRole:
        if (entry.marked) {
            const QPalette palette = QGuiApplication::palette();
            return quil::textColourOn(QColor(255, 0, 0), palette.color(QPalette::Base), palette);
        }
        // The list's own colour is the window-text colour, not the views'
        // text colour.
        if (column == quil::ColumnName && (entry.attributes & quil::AttributeSystem))
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
    if (index.column() == quil::ColumnName)
        result |= Qt::ItemIsEditable;
    return result;
}

bool FolderListModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (!index.isValid() || role != Qt::EditRole || index.column() != quil::ColumnName ||
        index.row() >= m_listing.count())
        return false;
    Q_EMIT nameEdited(index.row(), value.toString());
    return false;
}
