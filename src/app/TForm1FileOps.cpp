// The main window's copy, move, delete, rename and create-folder commands and its buttons for the
// second panel; the work is the file-operation subsystem's. Each command holds device notices
// and folder-size reports from its start to its end, its dialogs included: a change applied
// inside one of them would list another folder under the command.
#include "app/TForm1.h"

#include "app/AppWindows.h"
#include "app/SecondPanelDock.h"
#include "fileops/CopyMoveCommand.h"
#include "fileops/DeleteCommand.h"
#include "fileops/RenameCommand.h"
#include "fileops/SecondPanelButtons.h"
#include "fileops/TForm4.h"
#include "listing/FolderListModel.h"
#include "listing/FolderListView.h"
#include "platform/ChangeHold.h"
#include "platform/LocationUri.h"

#include <QToolButton>

void TForm1::setUpFileCommands()
{
    m_rename = new quil::RenameCommand(*this, m_services, this);
    m_delete = new quil::DeleteCommand(*this, m_services, this);
    m_copyMove = new quil::CopyMoveCommand(*this, m_services, this);
    m_panelButtons = new quil::SecondPanelButtons(*this, *this, m_services, this);
    connect(SpeedButton3, &QToolButton::clicked, this, &TForm1::SpeedButton3Click);
    connect(SpeedButton6, &QToolButton::clicked, this, &TForm1::SpeedButton6Click);
    connect(SpeedButton7, &QToolButton::clicked, this, &TForm1::SpeedButton7Click);
    connect(SpeedButton9, &QToolButton::clicked, this, &TForm1::SpeedButton9Click);
    connect(SpeedButton8, &QToolButton::clicked, this, &TForm1::SpeedButton8Click);
    connect(SpeedButton17, &QToolButton::clicked, this, &TForm1::SpeedButton17Click);
    connect(SpeedButton15, &QToolButton::clicked, this, &TForm1::SpeedButton15Click);
    connect(SpeedButton16, &QToolButton::clicked, this, &TForm1::SpeedButton16Click);
    connect(SpeedButton14, &QToolButton::clicked, this, &TForm1::SpeedButton14Click);
    connect(SpeedButton13, &QToolButton::clicked, this, &TForm1::SpeedButton13Click);
    // No list is read again while a name is edited in it, and no name
    // editor opens while a command runs, nor where names cannot change (an
    // archive, the trash).
    connect(ListView, &quil::FolderListView::nameEditorOpened, m_changeHold,
            [this](QWidget *editor) { m_changeHold->holdUntilDestroyed(*editor); });
    ListView->setDelayedEditGate([this] {
        const QString &folder = m_listing.currentPath();
        return !m_changeHold->isHolding() && !quil::isInArchive(folder) && !quil::isInTrash(folder);
    });
    connect(m_listModel, &quil::FolderListModel::nameEdited, this, [this](int row, const QString &newName) {
        // The edited row's name and folder, taken now: the click that closed
        // the editor may meanwhile have made another row the clicked one, and
        // a device notice may list another folder before the rename runs.
        CurrentItemName = m_listing.entry(row).name;
        // Queued: the rename lists the folder afresh, which must not happen
        // while the view is still inside its editor's commit.
        QMetaObject::invokeMethod(
            this,
            [this, folder = listedFolder(), oldName = CurrentItemName, newName] {
                ListViewEdited(folder, oldName, newName);
            },
            Qt::QueuedConnection);
    });
}

quil::ChangeHold::Scope TForm1::commandHold()
{
    ListView->cancelPendingEdit();
    return quil::ChangeHold::Scope(*m_changeHold);
}

void TForm1::setSecondPanel(quil::SecondPanel *panel)
{
    m_secondPanel = panel;
    m_rename->setSecondPanel(panel);
}

void TForm1::connectSecondPanelWindow()
{
    TForm4 *panel = m_windows->Form4.get();
    m_panelButtons->setPanel(panel);
    panel->setChangeHold(*m_changeHold);
    panel->focusMainList = [this] { focusMainList(); };
    setUpDragDrop(*panel);
    m_panelDock = new quil::SecondPanelDock(*this, *panel, this);
    panel->nextPlace = [this] { m_panelDock->nextPlace(); };
    connect(this, &TForm1::driveListsRebuilt, panel, &TForm4::rebuildDriveList);
}

void TForm1::SpeedButton6Click()
{
    const auto held = commandHold();
    m_copyMove->copy();
}

void TForm1::SpeedButton7Click()
{
    const auto held = commandHold();
    m_copyMove->move();
}

void TForm1::SpeedButton9Click()
{
    const auto held = commandHold();
    m_delete->run();
}

void TForm1::SpeedButton3Click()
{
    const auto held = commandHold();
    m_rename->renameByButton();
}

void TForm1::SpeedButton8Click()
{
    const auto held = commandHold();
    m_rename->createFolder();
}

void TForm1::startNameEdit(int row)
{
    const QModelIndex index = m_listModel->index(row, 0);
    CurrentItemName = m_listing.entry(row).name;
    ListView->setCurrentIndex(index);
    ListView->setFocus();
    ListView->edit(index);
}

void TForm1::ListViewEdited(const quil::FolderPath &folder, const QString &oldName, const QString &newName)
{
    const auto held = commandHold();
    m_rename->renameEdited(folder, oldName, newName);
}

void TForm1::SpeedButton17Click()
{
    m_panelButtons->toggle();
}

void TForm1::SpeedButton15Click()
{
    m_panelButtons->mainToPanel();
}

void TForm1::SpeedButton16Click()
{
    m_panelButtons->panelToMain();
}

void TForm1::SpeedButton14Click()
{
    m_panelButtons->swap();
}

void TForm1::SpeedButton13Click()
{
    m_panelButtons->foldTree();
}
