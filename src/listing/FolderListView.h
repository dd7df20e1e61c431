#pragma once

#include <QPointer>
#include <QTreeView>
#include <functional>

namespace quil {

// The main window's folder list: a report view whose model builds each row
// on request. Before it paints, it hands the range of rows it is about to
// draw to the data hint (the lazy detail fill); typed letters go to the
// prefix search instead of Qt's own keyboard search.
class FolderListView : public QTreeView
{
    Q_OBJECT
public:
    using QTreeView::edit; // the public edit(index), beside the trigger override
    using DataHint = std::function<void(int first, int last)>;
    using NameOf = std::function<QString(int row)>;

    explicit FolderListView(QWidget *parent = nullptr);
    void setModel(QAbstractItemModel *model) override;

    void setDataHint(DataHint hint) { m_dataHint = std::move(hint); }
    void setNameOf(NameOf nameOf) { m_nameOf = std::move(nameOf); }

    // Rows [first, last] that a paint of the viewport now would draw; last <
    // first when none. O(1) for the uniform rows of this view.
    std::pair<int, int> visibleRows() const;

    // The typed text (letters typed within the keyboard interval run
    // together) selects the first row whose name begins with it, starting at
    // the current row (the next one for a fresh first letter), wrapping once.
    void keyboardSearch(const QString &search) override;
    // Whether a name is being edited in place.
    bool isEditingName() const { return state() == EditingState; }
    // Forgets the typed text, so the next letter starts a fresh search.
    void resetTypedText() { m_typed.clear(); }
    // Whether a name is being typed: the last letter came within the
    // keyboard interval, so a Space now is part of the name. A Space never
    // starts a name: it marks.
    bool isTypingName() const;

    // A second click on the current row opens its editor only after the
    // double-click interval. A key or a command in between cancels it, and
    // it does not open while the gate says no (a command runs).
    void cancelPendingEdit();
    void setDelayedEditGate(std::function<bool()> gate) { m_delayedEditGate = std::move(gate); }

Q_SIGNALS:
    // An in-place name editor has opened; the view deletes it once it closes.
    void nameEditorOpened(QWidget *editor);

protected:
    void paintEvent(QPaintEvent *event) override;
    // The in-place editor opens on a click on the current row when the list
    // already had the keyboard focus before that click (the first click into
    // an unfocused list only focuses and selects), or through edit(index),
    // as the key map's F2 does.
    bool edit(const QModelIndex &index, EditTrigger trigger, QEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    // A cursor key that lands on the current row selects it, also when a
    // click on the empty area took the selection away.
    void keyPressEvent(QKeyEvent *event) override;
    void timerEvent(QTimerEvent *event) override;

private:
    DataHint m_dataHint;
    NameOf m_nameOf;
    QString m_typed;
    // Whether the focus came with the mouse press now being handled.
    bool m_focusedByPress = false;
    // Whether the last press may open the editor on its release.
    bool m_pressMayEdit = false;
    std::function<bool()> m_delayedEditGate;
    // The open name editor, if any.
    QPointer<QWidget> m_nameEditor;
    qint64 m_lastTyped = 0;
};

} // namespace quil
