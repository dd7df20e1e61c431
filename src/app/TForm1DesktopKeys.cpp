// Keys a user of this desktop expects besides the list's key map: the path
// box and the keyboard's context menu.
#include "app/TForm1.h"

#include "listing/FolderListView.h"
#include "platform/EventHook.h"
#include "shell/ContextMenuController.h"

#include <QComboBox>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QShortcut>

void TForm1::setUpDesktopKeys()
{
    // As in the desktop's file managers and browsers.
    for (const QKeySequence &keys : {QKeySequence(Qt::CTRL | Qt::Key_L), QKeySequence(Qt::ALT | Qt::Key_D)})
        connect(new QShortcut(keys, this), &QShortcut::activated, this, &TForm1::focusPathBox);
    // The window system turns the Menu key into a keyboard context menu
    // request; Shift+F10 is the same request by convention.
    new quil::EventHook(ListView, QEvent::ContextMenu, [this](QEvent *event) {
        if (static_cast<QContextMenuEvent *>(event)->reason() != QContextMenuEvent::Keyboard)
            return false;
        popupMenuAtCurrentRow();
        return true;
    });
    new quil::EventHook(ListView, QEvent::KeyPress, [this](QEvent *event) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() != Qt::Key_F10 || !key->modifiers().testFlag(Qt::ShiftModifier))
            return false;
        popupMenuAtCurrentRow();
        return true;
    });
}

void TForm1::focusPathBox()
{
    cbPath->setFocus(Qt::ShortcutFocusReason);
    cbPath->lineEdit()->selectAll();
}

void TForm1::popupMenuAtCurrentRow()
{
    // Below the start of the current row's name, where a mouse user would
    // have clicked; the list's corner when no row is current.
    QPoint at;
    const QModelIndex current = ListView->currentIndex();
    if (current.isValid()) {
        ListView->scrollTo(current);
        const QRect row = ListView->visualRect(current.siblingAtColumn(0));
        at = QPoint(row.left() + row.height(), row.bottom());
    }
    m_contextMenu->popupAt(ListView->viewport()->mapToGlobal(at));
}
