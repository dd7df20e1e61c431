#include "fileops/PanelListView.h"

#include "fileops/PanelListModel.h"

namespace quil {

void PanelRowDelegate::setWidestRow(int width)
{
    m_widestRow = width;
    forgetRowSize();
}

QSize PanelRowDelegate::sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    if (!m_rowSize.isValid()) {
        const auto *rows = qobject_cast<const PanelListModel *>(index.model());
        const int longest = rows != nullptr ? rows->longestRow() : -1;
        m_rowSize = QStyledItemDelegate::sizeHint(option, longest >= 0 ? rows->index(longest) : index);
        if (m_widestRow > 0)
            m_rowSize.setWidth(std::min(m_rowSize.width(), m_widestRow));
    }
    return m_rowSize;
}

PanelListView::PanelListView(PanelListModel &rows, QWidget *parent) : QListView(parent), m_rowDelegate(this)
{
    setModel(&rows);
    setItemDelegate(&m_rowDelegate);
    // Rows put or taken away may hold the longest name.
    const auto forget = [this] { m_rowDelegate.forgetRowSize(); };
    connect(&rows, &QAbstractItemModel::modelReset, this, forget);
    connect(&rows, &QAbstractItemModel::rowsInserted, this, forget);
    connect(&rows, &QAbstractItemModel::rowsRemoved, this, forget);
    connect(&rows, &QAbstractItemModel::dataChanged, this, forget);
    m_headerModel.setHorizontalHeaderLabels({QStringLiteral("Name")});
    m_header = new QHeaderView(Qt::Horizontal, this);
    m_header->setModel(&m_headerModel);
    m_header->setSectionsClickable(false);
    m_header->setStretchLastSection(false);
    m_header->hide();
    // Qt leaves the editing state when any row goes, even with the editor
    // of another row still open (rows removed by another program).
    connect(&rows, &QAbstractItemModel::rowsRemoved, this, [this] {
        if (m_editedRow.isValid() && indexWidget(m_editedRow) != nullptr)
            setState(EditingState);
    });
    // Connected after the view's own commit, so the row holds the new text.
    // The edited row, not the current one: a click on another row commits
    // the edit after that row has become current.
    connect(itemDelegate(), &QAbstractItemDelegate::commitData, this, [this] {
        if (m_edited && m_editedRow.isValid())
            m_edited(m_oldName, m_editedRow.data(Qt::EditRole).toString());
    });
}

bool PanelListView::edit(const QModelIndex &index, EditTrigger trigger, QEvent *event)
{
    const bool opened = QListView::edit(index, trigger, event);
    if (opened) {
        m_editedRow = index;
        m_oldName = index.data(Qt::DisplayRole).toString();
        // A second click's editor opens later, from the view's timer.
        if (QWidget *editor = indexWidget(index); editor != nullptr && state() == EditingState && m_opened)
            m_opened(editor);
    }
    return opened;
}

void PanelListView::showNameHeader(bool shown, int width)
{
    m_header->resizeSection(0, width);
    m_header->setVisible(shown);
    setViewportMargins(0, shown ? m_header->sizeHint().height() : 0, 0, 0);
    updateGeometries();
}

void PanelListView::setWidestRow(int width)
{
    m_rowDelegate.setWidestRow(width);
    doItemsLayout();
}

void PanelListView::updateGeometries()
{
    QListView::updateGeometries();
    if (m_header->isVisibleTo(this)) {
        const QRect area = viewport()->geometry();
        m_header->setGeometry(area.left(), frameWidth(), area.width(), m_header->sizeHint().height());
    }
}

int PanelListView::count() const
{
    return model()->rowCount();
}

int PanelListView::currentRow() const
{
    return currentIndex().row();
}

QString PanelListView::currentCaption() const
{
    return currentIndex().data(Qt::DisplayRole).toString();
}

void PanelListView::setCurrentRow(int row)
{
    selectionModel()->setCurrentIndex(model()->index(row, 0), QItemSelectionModel::ClearAndSelect);
}

bool PanelListView::isCurrentSelected() const
{
    return currentIndex().isValid() && selectionModel()->isSelected(currentIndex());
}

} // namespace quil
