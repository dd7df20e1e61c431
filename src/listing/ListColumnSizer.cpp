#include "listing/ListColumnSizer.h"

#include "listing/ColumnFit.h"

#include <QEvent>
#include <QHeaderView>
#include <QScrollBar>
#include <QTimer>
#include <QTreeView>

namespace quil {

ListColumnSizer::ListColumnSizer(QTreeView &view, const QList<int> &bases, std::function<void()> fillShownRows)
    : QObject(&view), m_view(view), m_bases(bases), m_fillShownRows(std::move(fillShownRows))
{
    QHeaderView *header = view.header();
    // Only the rows on the screen are measured, so a large folder costs
    // nothing more.
    header->setResizeContentsPrecision(0);
    connect(header, &QHeaderView::sectionResized, this, [this](int column, int, int width) {
        if (m_fitting || column >= m_bases.size())
            return;
        m_bases[column] = width;
        fitLater();
    });
    view.viewport()->installEventFilter(this);
    if (QAbstractItemModel *model = view.model()) {
        connect(model, &QAbstractItemModel::modelReset, this, &ListColumnSizer::fitLater);
        connect(model, &QAbstractItemModel::dataChanged, this, &ListColumnSizer::fitLater);
        connect(model, &QAbstractItemModel::headerDataChanged, this, &ListColumnSizer::fitLater);
    }
    fit();
}

void ListColumnSizer::setBases(const QList<int> &bases)
{
    m_bases = bases;
    fit();
}

bool ListColumnSizer::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Resize)
        fitLater();
    return QObject::eventFilter(watched, event);
}

void ListColumnSizer::fitLater()
{
    // Many changes come in one go (a listing fills its rows one range at a
    // time); one fit after them is enough.
    if (m_pending)
        return;
    m_pending = true;
    QTimer::singleShot(0, this, [this] {
        m_pending = false;
        fit();
    });
}

QList<int> ListColumnSizer::contentWidths() const
{
    // Rows whose details wait for their first paint would measure empty.
    if (m_fillShownRows)
        m_fillShownRows();
    QList<int> widths;
    QHeaderView *header = m_view.header();
    // The tree view's own measure, public through its base class.
    const QAbstractItemView &view = m_view;
    for (int column = 0; column < m_bases.size(); ++column)
        widths.append(std::max(view.sizeHintForColumn(column), header->sectionSizeHint(column)));
    return widths;
}

void ListColumnSizer::fit()
{
    const QList<int> widths = fittedColumnWidths(m_bases, contentWidths(), m_view.viewport()->width());
    m_fitting = true;
    for (int column = 0; column < widths.size(); ++column)
        if (m_view.header()->sectionSize(column) != widths.at(column))
            m_view.header()->resizeSection(column, widths.at(column));
    m_fitting = false;
}

} // namespace quil
