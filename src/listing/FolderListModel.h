#pragma once

#include "listing/SortOrder.h"

#include <QAbstractTableModel>
#include <QFont>
#include <QScopeGuard>
#include <QStringList>

#include <vector>

namespace quil {

class FolderListing;

// The main list as a model: five columns whose texts, fonts and colours are
// built on request from the entries of the folder listing; the model holds
// no copy of the rows. The row count is the listing's entry count.
class FolderListModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    explicit FolderListModel(FolderListing &listing, QObject *parent = nullptr);

    // The list's font; hidden entries get it with strike-through.
    void setBaseFont(const QFont &font) { m_baseFont = font; }

    // Runs read (a change of the listing's entries) inside a model reset, so
    // the views never see a half-read list. Rethrows what read raises.
    template <typename Read> void reading(Read read)
    {
        beginResetModel();
        const auto end = qScopeGuard([this] { endResetModel(); });
        read();
    }

    // Runs change (one row of the listing put, removed or moved) inside its
    // announcement, so that the views, the current row, an open editor and
    // every persistent index follow their entries. A move's to is the row
    // after the move.
    template <typename Change> void insertingRow(int row, Change change)
    {
        beginInsertRows({}, row, row);
        const auto end = qScopeGuard([this] { endInsertRows(); });
        change();
    }
    template <typename Change> void removingRow(int row, Change change)
    {
        beginRemoveRows({}, row, row);
        const auto end = qScopeGuard([this] { endRemoveRows(); });
        change();
    }
    template <typename Change> void movingRow(int from, int to, Change change)
    {
        if (!beginMoveRows({}, from, from, {}, to > from ? to + 1 : to))
            return;
        const auto end = qScopeGuard([this] { endMoveRows(); });
        change();
    }
    // Runs replace (the entries replaced at once) as a change of layout:
    // replace gets the rows of the persistent indexes (the current row, an
    // open editor, ...) and returns their rows afterwards, -1 for an entry
    // that went, so that they follow their entries.
    template <typename Replace> void replacingRows(Replace replace)
    {
        Q_EMIT layoutAboutToBeChanged();
        const QModelIndexList before = persistentIndexList();
        std::vector<int> rows;
        rows.reserve(size_t(before.size()));
        for (const QModelIndex &index : before)
            rows.push_back(index.row());
        const std::vector<int> moved = replace(rows);
        QModelIndexList after;
        after.reserve(before.size());
        for (qsizetype i = 0; i < before.size(); ++i)
            after.append(moved[size_t(i)] >= 0 ? index(moved[size_t(i)], before[i].column()) : QModelIndex());
        changePersistentIndexList(before, after);
        Q_EMIT layoutChanged();
    }

    // The list's data hint: fills the details of rows [first, last] that
    // still need them and reports the change as one range.
    void fillDetails(int first, int last);
    // Tells the views that rows [first, last] changed (marks, sizes).
    void rowsChanged(int first, int last);

    // Sets the sort marker " v" on column and two blanks on the others.
    void markSortColumn(int column);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    // An accepted in-place edit of a name: reported by nameEdited, never
    // written into the entry here (renaming decides what the name becomes).
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;

Q_SIGNALS:
    void nameEdited(int row, const QString &newName);

private:
    FolderListing &m_listing;
    QFont m_baseFont;
    QStringList m_captions;
};

} // namespace quil
