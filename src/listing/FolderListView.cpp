#include "listing/FolderListView.h"

#include "listing/PrefixSearch.h"

#include <QApplication>
#include <QDateTime>
#include <QFocusEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QStyledItemDelegate>

namespace quil {

namespace {

// The editor takes the name once, when it opens: the details filled in
// later for its row (or a mark) must not overwrite what the user typed.
// The mark's check state is for screen readers: the list shows marks in
// colour and draws no check box.
class NameEditDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const override
    {
        QStyledItemDelegate::initStyleOption(option, index);
        option->features &= ~QStyleOptionViewItem::HasCheckIndicator;
    }
    void setEditorData(QWidget *editor, const QModelIndex &index) const override
    {
        static const char *const filled = "quilNameFilled";
        if (editor->property(filled).toBool())
            return;
        QStyledItemDelegate::setEditorData(editor, index);
        editor->setProperty(filled, true);
    }
};

} // namespace

FolderListView::FolderListView(QWidget *parent) : QTreeView(parent)
{
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setUniformRowHeights(true);
    setAllColumnsShowFocus(true);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSortingEnabled(false);
    // F2 is the key map's: it opens the editor only on a selected row. Qt's
    // own F2 would open it on the current row even when none is selected.
    setEditTriggers(QAbstractItemView::SelectedClicked);
    setItemDelegate(new NameEditDelegate(this));
    header()->setSectionsMovable(false);
    header()->setStretchLastSection(false);
    header()->setSectionsClickable(true);
    // Captions stand at the left of their columns, like the cells below them,
    // so the sort marker follows the caption's text.
    header()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
}

void FolderListView::setModel(QAbstractItemModel *model)
{
    QTreeView::setModel(model);
    // Qt leaves the editing state when any row goes, even with the editor
    // of another row still open (rows removed by another program).
    if (model != nullptr)
        connect(model, &QAbstractItemModel::rowsRemoved, this, [this] {
            if (m_nameEditor)
                setState(EditingState);
        });
}

std::pair<int, int> FolderListView::visibleRows() const
{
    if (!model() || model()->rowCount() == 0)
        return {0, -1};
    const int count = model()->rowCount();
    const QModelIndex top = indexAt(QPoint(1, 1));
    const QModelIndex bottom = indexAt(QPoint(1, viewport()->height() - 1));
    const int first = top.isValid() ? top.row() : 0;
    const int last = bottom.isValid() ? bottom.row() : count - 1;
    return {first, last};
}

void FolderListView::paintEvent(QPaintEvent *event)
{
    if (m_dataHint) {
        const auto [first, last] = visibleRows();
        if (last >= first)
            m_dataHint(first, last);
    }
    QTreeView::paintEvent(event);
}

void FolderListView::focusInEvent(QFocusEvent *event)
{
    // The application gives the focus before it delivers the press.
    m_focusedByPress = event->reason() == Qt::MouseFocusReason;
    QTreeView::focusInEvent(event);
}

void FolderListView::mousePressEvent(QMouseEvent *event)
{
    const QModelIndex pressed = indexAt(event->position().toPoint());
    m_pressMayEdit = !m_focusedByPress && pressed.isValid() && pressed.row() == currentIndex().row();
    m_focusedByPress = false;
    QTreeView::mousePressEvent(event);
}

bool FolderListView::edit(const QModelIndex &index, EditTrigger trigger, QEvent *event)
{
    if (trigger == SelectedClicked && !m_pressMayEdit)
        return false;
    const bool accepted = QTreeView::edit(index, trigger, event);
    if (accepted && state() == EditingState)
        if (QWidget *editor = indexWidget(index)) {
            m_nameEditor = editor;
            Q_EMIT nameEditorOpened(editor);
        }
    return accepted;
}

void FolderListView::cancelPendingEdit()
{
    // Qt stops the editor waiting for the double-click interval when the
    // current row changes; this tells it that, without a change.
    if (currentIndex().isValid())
        QTreeView::edit(currentIndex(), CurrentChanged, nullptr);
}

void FolderListView::timerEvent(QTimerEvent *event)
{
    // One of the view's timers opens the waiting editor: stopped first while
    // the gate says no, it never fires.
    if (m_delayedEditGate && !m_delayedEditGate())
        cancelPendingEdit();
    QTreeView::timerEvent(event);
}

void FolderListView::keyPressEvent(QKeyEvent *event)
{
    QTreeView::keyPressEvent(event);
    switch (event->key()) {
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Home:
    case Qt::Key_End:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
        break;
    default:
        return;
    }
    // With Ctrl or Shift the keys move without selecting, as Qt has them.
    if (event->modifiers() & (Qt::ControlModifier | Qt::ShiftModifier | Qt::AltModifier))
        return;
    const QModelIndex current = currentIndex();
    if (current.isValid() && !selectionModel()->isRowSelected(current.row(), current.parent()))
        selectionModel()->select(current, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

bool FolderListView::isTypingName() const
{
    return !m_typed.isEmpty() &&
           QDateTime::currentMSecsSinceEpoch() - m_lastTyped <= QApplication::keyboardInputInterval();
}

void FolderListView::keyboardSearch(const QString &search)
{
    if (!model() || !m_nameOf || search.isEmpty())
        return;
    const qint64 now = QDateTime::currentMSecsSinceEpoch();
    const bool fresh = !isTypingName();
    if (fresh && search.startsWith(QLatin1Char(' ')))
        return;
    m_lastTyped = now;
    m_typed = fresh ? search : m_typed + search;
    const int current = currentIndex().isValid() ? currentIndex().row() : -1;
    // A fresh single letter moves on to the next match; a longer text keeps a
    // current row that still matches.
    const int start = fresh ? current + 1 : qMax(current, 0);
    const int row = prefixSearch(model()->rowCount(), m_nameOf, m_typed, start, true);
    if (row < 0)
        return;
    const QModelIndex index = model()->index(row, 0);
    setCurrentIndex(index);
    scrollTo(index);
}

} // namespace quil
