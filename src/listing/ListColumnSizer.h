#pragma once

#include <QList>
#include <QObject>

#include <functional>

class QTreeView;

namespace quil {

// Keeps a report list's columns at fittedColumnWidths: on every change of
// the list's width, of the shown rows' texts and of the user's own column
// widths, which become the bases. Parented to the view.
class ListColumnSizer : public QObject
{
    Q_OBJECT
public:
    // fillShownRows completes the rows on the screen before they are measured.
    ListColumnSizer(QTreeView &view, const QList<int> &bases, std::function<void()> fillShownRows = {});

    // The widths the user chose (or the ones set), which are kept between runs.
    QList<int> bases() const { return m_bases; }
    void setBases(const QList<int> &bases);
    // Fits the columns now (otherwise after the event that changed them).
    void fit();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void fitLater();
    // The width the texts of the shown rows need in each column.
    QList<int> contentWidths() const;

    QTreeView &m_view;
    QList<int> m_bases;
    std::function<void()> m_fillShownRows;
    bool m_fitting = false;
    bool m_pending = false;
};

} // namespace quil
