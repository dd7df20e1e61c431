#pragma once

#include <QHeaderView>
#include <QListView>
#include <QPersistentModelIndex>
#include <QStandardItemModel>
#include <QStyledItemDelegate>

#include <functional>

namespace quil {

class PanelListModel;

// The size of every row of the second panel's list, worked out once per
// listing from its longest name: a view of many thousand rows lays them out
// without measuring each.
class PanelRowDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    // The widest a row may be (0: as wide as its longest name).
    void setWidestRow(int width);
    void forgetRowSize() { m_rowSize = {}; }
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override;

private:
    int m_widestRow = 0;
    mutable QSize m_rowSize;
};

// The second panel's list: reports an accepted in-place edit of the row the
// editor was open on, with its caption from before the edit (Escape reports
// nothing).
class PanelListView : public QListView
{
public:
    using Edited = std::function<void(const QString &oldName, const QString &newName)>;
    using Opened = std::function<void(QWidget *editor)>;
    PanelListView(PanelListModel &rows, QWidget *parent = nullptr);
    void setEdited(Edited edited) { m_edited = std::move(edited); }
    // Told when an in-place editor opens; the view deletes it once it closes.
    void setEditorOpened(Opened opened) { m_opened = std::move(opened); }
    // Whether a name is being edited in place.
    bool isEditingName() const { return state() == EditingState; }
    // The table view's header over the rows: one column "Name" of the given
    // width; hidden in the other views.
    void showNameHeader(bool shown, int width);
    // Rows at most this wide (0: as wide as the longest name).
    void setWidestRow(int width);

    int count() const;
    int currentRow() const;
    // The current row's caption; empty when there is none.
    QString currentCaption() const;
    // Makes a row current and the only one selected.
    void setCurrentRow(int row);
    bool isCurrentSelected() const;
    // Opens the name editor on a row.
    using QListView::edit;

protected:
    bool edit(const QModelIndex &index, EditTrigger trigger, QEvent *event) override;
    void updateGeometries() override;

private:
    PanelRowDelegate m_rowDelegate;
    Edited m_edited;
    Opened m_opened;
    QPersistentModelIndex m_editedRow;
    QString m_oldName;
    QStandardItemModel m_headerModel{0, 1};
    QHeaderView *m_header = nullptr;
};

} // namespace quil
