// The main window's navigation commands: opening rows, the path box and its
// history, up one level, the tree, the list refresh and the extension window.
#include "app/TForm1.h"

#include "app/AppWindows.h"
#include "app/ComboListPick.h"
#include "app/EventHook.h"
#include "listing/FolderListView.h"
#include "listing/FolderTreeModel.h"
#include "listing/NavigationText.h"
#include "listing/PathText.h"
#include "platform/Dialogs.h"
#include "platform/ErrorBox.h"
#include "platform/Launcher.h"
#include "platform/NativePath.h"
#include "platform/Services.h"
#include "platform/SettingsFiles.h"
#include "platform/ShellNamespace.h"
#include "platform/VolumeMonitor.h"
#include "platform/Volumes.h"
#include "viewers/ExtensionTable.h"
#include "viewers/TExtent.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QToolButton>
#include <QTreeView>

#include <unistd.h>

namespace {
const QString kWaitingText = QStringLiteral("Жду команду...");
const QString kTitle = QStringLiteral("QUIL");
} // namespace

void TForm1::setUpNavigation()
{
    // A double click on a row, after the view has selected it. The view's
    // own handling goes on afterwards (it cancels the rename that a click on
    // a selected row would start).
    connect(ListView, &QAbstractItemView::doubleClicked, this, &TForm1::ListViewDblClick);
    // Below the last row no row is opened, as where a click clears the
    // selection: only the status line is set.
    new EventHook(ListView->viewport(), QEvent::MouseButtonDblClick, [this](QEvent *event) {
        if (!ListView->indexAt(static_cast<QMouseEvent *>(event)->position().toPoint()).isValid())
            SetStatus(kWaitingText);
        return false;
    });
    connect(ListView, &QAbstractItemView::clicked, this, &TForm1::ListViewClick);
    // Enter reaches the box either directly or through its line edit.
    const auto enterHook = [this](QEvent *event) { return cbPathKeyDown(static_cast<QKeyEvent *>(event)->key()); };
    new EventHook(cbPath, QEvent::KeyPress, enterHook);
    new EventHook(cbPath->lineEdit(), QEvent::KeyPress, enterHook);
    // A pick from the history (the popup or the arrow keys) only; leaving
    // the box with a history line typed is no pick.
    connectListPick(cbPath, [this] { cbPathClick(); });
    connect(SpeedButton2, &QToolButton::clicked, this, &TForm1::SpeedButton2Click);
    // The user's choice of a drive. The program's own changes (a path on
    // another volume, the rebuilt list) call DriveComboBox1Change where a
    // change of drive must list the root.
    connect(DriveComboBox1, &QComboBox::activated, this, &TForm1::DriveComboBox1Change);
    connect(ShellTreeView1, &QTreeView::clicked, this, &TForm1::ShellTreeView1Click);
    connect(SpeedButton19, &QToolButton::clicked, this, &TForm1::SpeedButton19Click);
    connect(SpeedButton18, &QToolButton::clicked, this, &TForm1::SpeedButton18Click);
    connect(SpeedButton11, &QToolButton::clicked, this, &TForm1::SpeedButton11Click);
    setUpView();
    setUpFileCommands();

    m_volumeMonitor = new quil::VolumeMonitor(this);
    connect(m_volumeMonitor, &quil::VolumeMonitor::deviceChange, this, [this](int event) { CD(event); });
}

void TForm1::connectWindows()
{
    if (m_windows == nullptr)
        return;
    connect(m_windows->Extent.get(), &TExtent::statusChanged, this, &TForm1::SetStatus);
    setUpViewCommand();
    connectSecondPanelWindow();
    setUpSearch();
}

int TForm1::SelectedRow() const
{
    const QModelIndexList rows = ListView->selectionModel()->selectedRows();
    if (rows.isEmpty() || rows.first().row() >= m_listing.count())
        return -1;
    return rows.first().row();
}

void TForm1::followPathBoxDrive()
{
    // The listing already shows a folder of that volume, so this keeps the
    // selector in step without listing the volume's root over it.
    const QString text = cbPath->currentText();
    if (!text.startsWith(QLatin1Char('/')))
        return;
    if (const auto volume = quil::Volumes::volumeOf(text, m_volumes))
        if (volume->mountPoint != SelectedDrive())
            SelectDrive(volume->mountPoint);
}

void TForm1::ListViewDblClick()
{
    SetStatus(kWaitingText);
    const int row = SelectedRow();
    if (row < 0)
        return;
    // A copy: listing a folder replaces the entries.
    const TShellItem entry = m_listing.entry(row);
    if (!m_listing.isFolder(row)) {
        openFileEntry(entry);
        return;
    }
    quil::runHandler(m_services.dialogs, [this, &entry] {
        const QString path = quil::pathBoxText(
            quil::ShellNamespace::displayName(entry.relativeId.id, quil::ShellNamespace::NameForm::Parsing));
        BrowseToIdentifier(entry.relativeId.id);
        if (cbPath->currentText() != path)
            cbPath->setEditText(path);
        ScrollTreeSelectionToTop();
        followPathBoxDrive();
    });
}

void TForm1::openFileEntry(const TShellItem &entry)
{
    QString program;
    if (m_windows != nullptr)
        program = m_windows->Extent->table().programFor(quil::extensionOf(entry.name));
    const QString folder = cbPath->currentText();
    // Programs start in the process's current folder: the listed one.
    if (folder.isEmpty() || ::chdir(quil::toNative(folder).constData()) != 0) {
        m_services.dialogs.message(quil::folderNotFoundMessage(folder), kTitle, quil::Dialogs::Icon::None);
        return;
    }
    // Whether anything started is not reported, as with the shell's own
    // double click on a document without an application.
    if (!program.isEmpty())
        // "./" so that a name such as "-x" or "+cmd" is never read as an option.
        m_services.launcher.run(program, QStringLiteral("./") + entry.name, quil::Launcher::ArgumentForm::OneArgument);
    else
        m_services.launcher.openDocument(entry.relativeId.id.path());
}

bool TForm1::cbPathKeyDown(int key)
{
    if (key != Qt::Key_Return && key != Qt::Key_Enter)
        return false;
    const QString text = cbPath->currentText();
    if (!text.isEmpty())
        quil::runHandler(m_services.dialogs, [this, &text] { NavigateByPath(text); });
    return true;
}

void TForm1::cbPathClick()
{
    const QString text = cbPath->currentText();
    const int line = m_history.find(text);
    quil::runHandler(m_services.dialogs, [this, line, &text] {
        if (line < 0) {
            NavigateByPath(text);
            return;
        }
        const quil::ItemId folder = m_history.line(line).id;
        m_services.dialogs.message(quil::historyPickedMessage(text), kTitle, quil::Dialogs::Icon::None);
        BrowseToIdentifier(folder);
    });
}

void TForm1::SpeedButton2Click()
{
    SetStatus(kWaitingText);
    m_listing.EntryToSelect = quil::folderLeftByUp(cbPath->currentText());
    const quil::ItemId parent = quil::ShellNamespace::parent(m_listing.currentFolder());
    if (parent.isEmpty()) {
        // The computer folder and the desktop have nothing above them.
        m_services.dialogs.beep();
    } else {
        quil::runHandler(m_services.dialogs, [this, &parent] { BrowseToIdentifier(parent); });
    }
    ScrollTreeSelectionToTop();
}

void TForm1::ShellTreeView1Click()
{
    if (!m_windowShown)
        return;
    const QString path = TreeSelectedPath();
    if (path.isEmpty() || !quil::directoryExists(path))
        return;
    quil::runHandler(m_services.dialogs, [this, &path] { NavigateByPath(path); });
}

void TForm1::SpeedButton19Click()
{
    quil::runHandler(m_services.dialogs, [this] { NavigateByPath(cbPath->currentText()); });
}

void TForm1::ListViewClick()
{
    const int row = SelectedRow();
    if (row >= 0) {
        const TShellItem &entry = m_listing.entry(row);
        CurrentItemId = entry.relativeId.id;
        CurrentItemName = entry.name;
    }
    followPathBoxDrive();
}

void TForm1::SpeedButton11Click()
{
    SetStatus(QStringLiteral("Настр. расширений. "));
    if (m_windows == nullptr)
        return;
    m_windows->Extent->show();
    m_windows->Extent->raise();
}
