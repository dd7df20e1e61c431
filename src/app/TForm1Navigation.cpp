// The main window's navigation commands: opening rows, the path box and its
// history, up one level, the tree, the list refresh and the extension window;
// the work is the FolderNavigator's.
#include "app/TForm1.h"

#include "app/AppWindows.h"
#include "app/ComboListPick.h"
#include "listing/FolderListView.h"
#include "listing/FolderNavigator.h"
#include "platform/ChangeHold.h"
#include "platform/ErrorBox.h"
#include "platform/EventHook.h"
#include "platform/Services.h"
#include "viewers/ExtensionTable.h"
#include "viewers/TExtent.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QToolButton>
#include <QTreeView>

void TForm1::setUpNavigation()
{
    // Made before the navigator and the marks, so deleted before them, with
    // the changes it holds for them.
    m_changeHold = new quil::ChangeHold(this);
    const quil::NavigationControls controls{
        *cbPath,
        *DriveComboBox1,
        *ShellTreeView1,
        *ListView,
        m_listing,
        *m_listModel,
        *m_treeModel,
        *Label1,
        *Label5,
        *Label6,
        *Shape1,
        *Shape2,
        [this](const QString &text) { setStatus(text); },
        [this] { return Label9->text(); },
        [this](const QString &name) {
            return m_windows != nullptr ? m_windows->Extent->table().programFor(quil::extensionOf(name)) : QString();
        },
        *m_changeHold,
    };
    m_nav = new quil::FolderNavigator(controls, m_services, this);
    connect(m_nav, &quil::FolderNavigator::driveListsRebuilt, this, &TForm1::driveListsRebuilt);

    // A double click on a row, after the view has selected it. The view's
    // own handling goes on afterwards (it cancels the rename that a click on
    // a selected row would start).
    connect(ListView, &QAbstractItemView::doubleClicked, this, &TForm1::ListViewDblClick);
    // Below the last row no row is opened, as where a click clears the
    // selection: only the status line is set.
    new quil::EventHook(ListView->viewport(), QEvent::MouseButtonDblClick, [this](QEvent *event) {
        if (!ListView->indexAt(static_cast<QMouseEvent *>(event)->position().toPoint()).isValid())
            setStatus(QCoreApplication::translate("TForm1Navigation", "Жду команду..."));
        return false;
    });
    connect(ListView, &QAbstractItemView::clicked, this, &TForm1::ListViewClick);
    // Enter reaches the box either directly or through its line edit.
    const auto enterHook = [this](QEvent *event) { return cbPathKeyDown(static_cast<QKeyEvent *>(event)->key()); };
    new quil::EventHook(cbPath, QEvent::KeyPress, enterHook);
    new quil::EventHook(cbPath->lineEdit(), QEvent::KeyPress, enterHook);
    // Leaving the box without Enter drops what was typed. Not for its own
    // history list (a pick follows) nor for another window (a message box
    // about the typed path). The box holds the focus for its line edit.
    new quil::EventHook(cbPath, QEvent::FocusOut, [this](QEvent *event) {
        const Qt::FocusReason reason = static_cast<QFocusEvent *>(event)->reason();
        if (reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason)
            m_nav->pathBoxLeft();
        return false;
    });
    // A pick from the history (the popup or the arrow keys) only; leaving
    // the box with a history line typed is no pick.
    connectListPick(cbPath, quil::reportingErrors(m_services.dialogs, [this] { cbPathClick(); }));
    connect(SpeedButton2, &QToolButton::clicked, this, &TForm1::SpeedButton2Click);
    // The user's choice of a drive. The program's own changes (a path on
    // another volume, the rebuilt list) call DriveComboBox1Change where a
    // change of drive must list the root.
    connect(DriveComboBox1, &QComboBox::activated, this, &TForm1::DriveComboBox1Change);
    connect(ShellTreeView1, &QTreeView::clicked, this,
            quil::reportingErrors(m_services.dialogs, [this] { ShellTreeView1Click(); }));
    connect(SpeedButton19, &QToolButton::clicked, this,
            quil::reportingErrors(m_services.dialogs, [this] { SpeedButton19Click(); }));
    connect(SpeedButton18, &QToolButton::clicked, this, &TForm1::SpeedButton18Click);
    connect(SpeedButton11, &QToolButton::clicked, this, &TForm1::SpeedButton11Click);
}

void TForm1::connectWindows()
{
    if (m_windows == nullptr)
        return;
    connect(m_windows->Extent.get(), &TExtent::statusChanged, this, &TForm1::setStatus);
    connectViewers();
    connectSecondPanelWindow();
    connectSettingsWindow();
    connectSearchWindow();
}

bool TForm1::windowShown() const
{
    return m_nav->windowShown();
}

quil::FolderPath TForm1::listedFolder() const
{
    return m_nav->listedFolder();
}

const quil::PathHistory &TForm1::history() const
{
    return m_nav->history();
}

qint64 TForm1::diskSizeKb() const
{
    return m_nav->diskSizeKb();
}

int TForm1::currentRow() const
{
    return m_nav->currentRow();
}

void TForm1::ListViewDblClick()
{
    m_nav->openSelectedRow();
}

bool TForm1::cbPathKeyDown(int key)
{
    if (key != Qt::Key_Return && key != Qt::Key_Enter)
        return false;
    m_nav->pathBoxEntered();
    return true;
}

void TForm1::cbPathClick()
{
    m_nav->historyPicked();
}

void TForm1::SpeedButton2Click()
{
    m_nav->up();
}

void TForm1::ShellTreeView1Click()
{
    m_nav->treeClicked();
}

void TForm1::SpeedButton19Click()
{
    m_nav->relist();
}

void TForm1::ListViewClick()
{
    const int row = currentRow();
    if (row >= 0) {
        const TShellItem &entry = m_listing.entry(row);
        CurrentItemId = entry.folderChild.id;
        CurrentItemName = entry.name;
    }
    m_nav->followPathBoxDrive();
}

void TForm1::SpeedButton11Click()
{
    setStatus(QCoreApplication::translate("TForm1Navigation", "Настр. расширений. "));
    if (m_windows == nullptr)
        return;
    m_windows->Extent->show();
    m_windows->Extent->raise();
}
