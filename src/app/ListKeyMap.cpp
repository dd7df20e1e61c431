#include "app/ListKeyMap.h"

#include "app/ListShortcutKeys.h"
#include "app/TForm1.h"
#include "fileops/SecondPanel.h"
#include "fileops/UndoCommand.h"
#include "listing/FolderListModel.h"
#include "listing/FolderListView.h"
#include "listing/TShellItem.h"
#include "platform/Dialogs.h"
#include "platform/ErrorBox.h"
#include "platform/Services.h"
#include "viewers/CommandLineText.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QLabel>

namespace quil {

ListKeyMap::ListKeyMap(TForm1 &form, Services &services)
    : QObject(&form), m_form(form), m_services(services), m_shortcuts(new ListShortcutKeys(form, services, this))
{}

bool ListKeyMap::keyDown(int key, Qt::KeyboardModifiers modifiers)
{
    // Keys the name editor leaves alone (Enter after it took the name, the
    // function keys, the arrows) come up to the list: while a name is edited
    // they run no command and do not move the list's rows either.
    if (m_form.ListView->isEditingName())
        return true;
    // A key after a second click on a row: the user is not waiting for its
    // editor, which would open on whatever row is current by then.
    m_form.ListView->cancelPendingEdit();
    bool consumed = false;
    if (runCommand(key, modifiers, consumed))
        m_form.Label9->setText(QCoreApplication::translate("ListKeyMap", "Жду команды..."));
    return consumed;
}

bool ListKeyMap::runCommand(int key, Qt::KeyboardModifiers modifiers, bool &consumed)
{
    const bool keypad = modifiers.testFlag(Qt::KeypadModifier);
    switch (key) {
    case Qt::Key_Backspace:
        m_form.SpeedButton2Click();
        return true;
    case Qt::Key_Tab:
        // The panel's list keeps the focus; the list must not pass it on.
        if (SecondPanel *panel = m_form.secondPanel(); panel != nullptr && panel->isShown()) {
            panel->focusList();
            consumed = true;
        }
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        m_form.ListViewDblClick();
        return true;
    case Qt::Key_Space:
        // Within a name being found by typing, the list takes the Space.
        if (!m_form.ListView->isTypingName())
            m_form.ToggleCurrentMark();
        return true;
    case Qt::Key_Insert:
        markAndMoveOn();
        return true;
    case Qt::Key_J:
        if (modifiers.testFlag(Qt::ControlModifier))
            appendQuotedPath();
        return true;
    case Qt::Key_Z:
        if (modifiers.testFlag(Qt::ControlModifier))
            UndoCommand(m_form, m_services).run();
        return true;
    case Qt::Key_R:
        // For file systems that send no change notices (network, FUSE).
        if (modifiers.testFlag(Qt::ControlModifier))
            runHandler(m_services.dialogs, [this] { m_form.SpeedButton19Click(); });
        return true;
    case Qt::Key_Plus:
    case Qt::Key_Minus:
        if (keypad)
            maskCommand(key == Qt::Key_Plus);
        return true;
    default:
        if (m_shortcuts->run(key, modifiers)) {
            consumed = true;
            return true;
        }
        return runFunctionKey(key, modifiers);
    }
}

bool ListKeyMap::runFunctionKey(int key, Qt::KeyboardModifiers modifiers)
{
    switch (key) {
    case Qt::Key_F1:
        m_form.Button2Click();
        break;
    case Qt::Key_F2:
        if (const int row = m_form.currentRow(); row >= 0) {
            m_form.setStatus(QCoreApplication::translate("ListKeyMap", " Переименование!!! "));
            m_form.startNameEdit(row);
        }
        break;
    case Qt::Key_F3:
        m_form.SpeedButton4Click();
        break;
    case Qt::Key_F4:
        if (modifiers.testFlag(Qt::ShiftModifier)) {
            m_form.newTextFile();
            return false;
        }
        m_form.SpeedButton5Click();
        break;
    case Qt::Key_F5:
        m_form.SpeedButton6Click();
        break;
    case Qt::Key_F6:
        m_form.SpeedButton7Click();
        break;
    case Qt::Key_F7:
        m_form.SpeedButton8Click();
        break;
    case Qt::Key_F8:
        m_form.SpeedButton9Click();
        break;
    case Qt::Key_F9:
        m_form.SpeedButton10Click();
        break;
    case Qt::Key_F10:
        m_form.SpeedButton11Click();
        break;
    default:
        break;
    }
    return true;
}

void ListKeyMap::markAndMoveOn()
{
    const int row = m_form.currentRow();
    if (row < 0)
        return;
    m_form.ToggleCurrentMark();
    if (row + 1 >= m_form.listing().count())
        return;
    const QModelIndex next = m_form.listModel().index(row + 1, 0);
    m_form.ListView->setCurrentIndex(next);
    m_form.ListView->setFocus();
    m_form.ListView->scrollTo(next);
}

void ListKeyMap::appendQuotedPath()
{
    const int row = m_form.currentRow();
    if (row < 0)
        return;
    const QString quoted = quotedArgument(m_form.listing().entry(row).path());
    QComboBox *line = m_form.ComboBox1;
    const QString text = line->currentText();
    line->setEditText(text.isEmpty() ? quoted : text + QLatin1Char(' ') + quoted);
}

void ListKeyMap::maskCommand(bool select)
{
    const QString all = QStringLiteral("*.*");
    const QString title = select ? QCoreApplication::translate("ListKeyMap", "Выделение файлов")
                                 : QCoreApplication::translate("ListKeyMap", "Отмена выделения файлов");
    const QString prompt = select ? QCoreApplication::translate("ListKeyMap", "Введите маску выбора")
                                  : QCoreApplication::translate("ListKeyMap", "Введите маску отмены");
    // A cancelled box still applies its default mask.
    const QString mask = m_services.dialogs.inputBox(title, prompt, all).value_or(all);
    runHandler(m_services.dialogs, [&] {
        if (select)
            m_form.SelectByMask(mask);
        else
            m_form.UnselectByMask(mask);
    });
}

} // namespace quil
