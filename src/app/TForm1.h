#pragma once

#include "fileops/MainList.h"
#include "fileops/MainWindowFrame.h"
#include "listing/FolderListing.h"
#include "listing/PathHistory.h"
#include "platform/ChangeHold.h"
#include "platform/Volume.h"

#include <QList>
#include <QMainWindow>

class QComboBox;
class QFrame;
class QLabel;
class QPushButton;
class QSplitter;
class QToolButton;
class QTreeView;

namespace quil {
class AppWindows;
class FolderListModel;
class FolderListView;
class FolderTreeModel;
struct Services;
} // namespace quil

class TFolderSize;
class TForm4;
namespace quil {
class ContextMenuController;
class CopyMoveCommand;
class DeleteCommand;
class EditCommand;
class FavouriteFolders;
class FileDragDrop;
class SecondPanelDock;
class FolderNavigator;
class ListColumnSizer;
class ListKeyMap;
class ListShortcutKeys;
class MarksController;
class RenameCommand;
class SecondPanel;
class SecondPanelButtons;
class ViewCommand;
} // namespace quil

// The main window: path, disk and button rows, the folder tree, the folder
// list, the command buttons and the command line. Controls keep the names of
// the stored layout, as their object names too, and are private: the list's
// commands see the window as their main list and the second panel's buttons
// as the window frame.
class TForm1 : public QMainWindow, public quil::MainList, public quil::MainWindowFrame
{
    Q_OBJECT
public:
    // Runs FormCreate.
    explicit TForm1(quil::Services &services, QWidget *parent = nullptr);
    ~TForm1() override;

    // The other windows, for start-up and close (settings, search, extensions).
    void setWindows(quil::AppWindows *windows)
    {
        m_windows = windows;
        connectWindows();
        restoreWindowLayout();
    }

    // The second panel that the commands reach (rename refresh, copy target).
    void setSecondPanel(quil::SecondPanel *panel);
    quil::SecondPanel *secondPanel() const override { return m_secondPanel; }

    quil::FolderPath startRoot() const { return m_startRoot; }
    // The folder (and row) the command line names; listed at start over the
    // last folder of quil.ini. Set before the window is shown.
    void setStartFolder(const quil::FolderPath &folder, const QString &entry);
    bool windowShown() const;
    // Whether the start, run once the window is on the screen, has listed
    // its folders (startDone follows it).
    bool started() const { return m_started; }

    // --- The folder listing ---

    const quil::PathHistory &history() const;

    // --- quil::MainList, the window as the commands see it ---

    quil::FolderPath listedFolder() const override;
    quil::FolderListing &listing() override { return m_listing; }
    quil::FolderListModel &listModel() override { return *m_listModel; }
    void redrawList() override;
    int currentRow() const override;
    bool listHasFocus() const override;
    // Lists a folder ("computer:///" or an absolute path), switching the
    // drive selector first when the folder lies on another volume; selects
    // row 0 or the entry named EntryToSelect, points the tree at it and
    // refreshes the disk display. Raises OsError and keeps the listing for a
    // folder that does not exist.
    void navigateByPath(const quil::FolderPath &folder) override;
    void relistFolder() override;
    QString &entryToSelect() override { return m_listing.EntryToSelect; }
    int selectedTreeNode() const override;
    void refreshTree(int position) override;
    void scrollTreeSelectionToTop() override;
    void setStatus(const QString &text) override;
    void setSummary(const QString &text) override;
    QWidget *ownerWindow() override { return this; }

    // A click on a column header: columns 0 to 3 choose the sort order, say
    // so in a message box, list the path box's folder afresh and move the
    // " v" marker; the attribute column does nothing.
    void ListViewColumnClick(int column);
    // The list's data hint: the detail fill of rows first to last.
    void ListViewDataHint(int first, int last);

    // Disk size and free space in kilobytes of the last folder on a volume.
    qint64 diskSizeKb() const;

    // --- Folder tree and drive selector, for the navigation commands ---

    // The file-system path of the tree's selected node; empty for virtual ones.
    QString treeSelectedPath() const;
    quil::FolderTreeModel *treeModel() const { return m_treeModel; }
    // The mount point of the drive selector's volume; empty when none.
    QString selectedDrive() const;

    // --- Navigation: opening rows, the path box, drives, tree, device notices ---

    // The identifier and name of the row last clicked in the list; kept
    // across folder changes. Other commands use them as their current item.
    quil::ItemId CurrentItemId;
    QString CurrentItemName;
    // The View command behind SpeedButton4Click and SpeedButton12Click; set with the windows.
    quil::ViewCommand *viewCommand() const { return m_view; }

    // Device notices and folder-size reports pass here; a command that runs a
    // file operation holds them until it has ended.
    quil::ChangeHold &changeHold() const override { return *m_changeHold; }
    // The device-change handler, by event code (quil::VolumeMonitor::Event):
    // writes the status text; an arrival or removal rebuilds the drive lists.
    void CD(int event);
    // Enter in the path box goes to the typed path; true when the key was
    // used (and must not reach the box).
    bool cbPathKeyDown(int key);

public Q_SLOTS:
    // "Закончить / Exit": closes the main window, which ends the program:
    // the other windows close, quil.ini is written once and the event loop
    // quits once running work has finished.
    void SpeedButton1Click();

    // --- Navigation handlers; each reports its errors in the error box ---

    // Opens the selected row: lists a folder or volume; starts a file with
    // the program of the extension table (the name as one argument) or its
    // default application, in the path box's folder.
    void ListViewDblClick();
    // A history line picked: "Выбран: " and the line's folder, else the text.
    // This one, ShellTreeView1Click and SpeedButton19Click raise; their errors
    // are reported where they are connected.
    void cbPathClick();
    // Up one level, selecting the folder left; beeps at the top.
    void SpeedButton2Click();
    // Lists the drive selector's volume root (once the window is shown).
    void DriveComboBox1Change();
    // Lists the tree's selected folder (once the window is shown).
    void ShellTreeView1Click();
    // Lists the path box's folder afresh.
    void SpeedButton19Click();
    // Refreshes the tree's volumes and rebuilds the drive lists.
    void SpeedButton18Click();
    // Remembers the clicked row in CurrentItemId and CurrentItemName.
    void ListViewClick();
    // Shows the extension table window.
    void SpeedButton11Click();
    // View: the selected file in the text or picture viewer, or in the
    // external viewer the settings name for its kind.
    void SpeedButton4Click();
    // Shows or hides the viewer used last, hiding the other one.
    void SpeedButton12Click();

    // --- Keys, editing, the command line and the settings window ---

    // A key pressed in the list runs its command; true when the list must not
    // see the key (Tab that moved to the second panel, the desktop's keys).
    bool ListViewKeyDown(int key, Qt::KeyboardModifiers shift);
    // "Редактировать / Edit": the selected file in the text editor.
    void SpeedButton5Click();
    // Shift+F4: a new text file in the path box's folder, in the text editor.
    void newTextFile();
    // Enter in the command line runs its text; true when the key was used.
    bool ComboBox1KeyDown(int key);
    // "Настройки / Setup": shows the settings window.
    void SpeedButton10Click();
    // The settings window's Return: the list's and the tree's font height in
    // pixels (the list keeps its style), and the computer node re-read.
    void applyFontHeight(int pixels);

    // --- Copy, move, delete, rename, create folder and the second panel's buttons ---

    // "Копировать / Copy" and "Переместить / Move": into the second panel's folder.
    void SpeedButton6Click();
    void SpeedButton7Click();
    // "Удалить / Delete": the marked entries or the current row's.
    void SpeedButton9Click();

    // "Переименовать / Rename": the current row's new name from an input box.
    void SpeedButton3Click();
    // "Создать / Create": a new folder in the path box's folder.
    void SpeedButton8Click();
    // Opens the in-place editor on a row, focused and current, for the
    // rename of its entry (CurrentItemName).
    void startNameEdit(int row) override;
    // The list's in-place editor accepted newName for the row it was open
    // on, whose name was oldName, in the folder then listed.
    void ListViewEdited(const quil::FolderPath &folder, const QString &oldName, const QString &newName);
    // Show or hide the second panel.
    void SpeedButton17Click();
    // The path box's folder to the second panel.
    void SpeedButton15Click();
    // The second panel's folder to the main list.
    void SpeedButton16Click();
    // Exchange the two panels' folders.
    void SpeedButton14Click();
    // Fold or unfold the folder tree, the second panel beside the window.
    void SpeedButton13Click();

    // "Искать": the search window for the path box's folder.
    void Button1Click();
    // Go to of the search window: lists the folder with the entry selected
    // and gives the list the focus; errors go to the error box.
    void goToEntry(const quil::FolderPath &folder, const QString &name);

    // --- Marks, the selection summary and folder sizes (MarksController) ---
    quil::MarksController &marks() const override { return *m_marks; }
    void ShowSelectionSummary();
    void ToggleCurrentMark();
    // The mask commands raise InvalidMaskError before any mark changes.
    void SelectByMask(const QString &mask);
    void UnselectByMask(const QString &mask);
    void SelectMissing(const QString &mask);
    void InvertSelection();
    // "Выбрать файлы / Select files": the selection-modes window, modally.
    void SpeedButton20Click();

    // --- The about window and the context menu (src/shell) ---

    // "Inf": the about window, modally; then "Жду команды...".
    void Button2Click();
    // A right click in the window or its list: the context menu of the
    // selected entry or of the path box's folder, then the folder listed again.
    void PopupMenu1Popup();
    // Ctrl+L and Alt+D: the focus in the path box, its text selected.
    void focusPathBox();
    // Tab in the second panel's list: the main window active, its list focused.
    void focusMainList();
    // The Menu key and Shift+F10 in the list: the context menu at the
    // current row.
    void popupMenuAtCurrentRow();
    quil::ContextMenuController &contextMenu() const { return *m_contextMenu; }

Q_SIGNALS:
    // The drive lists were rebuilt from these volumes (the second panel's
    // selector follows).
    void driveListsRebuilt(const QList<quil::Volume> &volumes);
    void startDone();

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    // The window's own key maps reach its controls.
    friend class quil::ListKeyMap;
    friend class quil::ListShortcutKeys;

    // --- Panel1 ---
    QFrame *Panel1 = nullptr;
    QLabel *Label2 = nullptr;
    QComboBox *cbPath = nullptr;
    QLabel *Label3 = nullptr;
    QComboBox *DriveComboBox1 = nullptr;
    QLabel *Label4 = nullptr;
    QFrame *Shape1 = nullptr;
    QLabel *Label5 = nullptr;
    QFrame *Shape2 = nullptr;
    QLabel *Label6 = nullptr;
    QLabel *Label7 = nullptr;
    QLabel *Label9 = nullptr;
    QPushButton *Button2 = nullptr;
    QFrame *Shape3 = nullptr;
    QToolButton *SpeedButton1 = nullptr;
    QToolButton *SpeedButton18 = nullptr;
    QToolButton *SpeedButton17 = nullptr;
    QToolButton *SpeedButton16 = nullptr;
    QToolButton *SpeedButton15 = nullptr;
    QToolButton *SpeedButton14 = nullptr;
    QToolButton *SpeedButton13 = nullptr;
    QToolButton *SpeedButton2 = nullptr;
    QLabel *Label1 = nullptr;
    QToolButton *SpeedButton19 = nullptr;
    QToolButton *SpeedButton20 = nullptr;
    // --- tree and list ---
    QSplitter *Splitter1 = nullptr;
    QTreeView *ShellTreeView1 = nullptr;
    quil::FolderListView *ListView = nullptr;
    // --- Panel2: command buttons ---
    QFrame *Panel2 = nullptr;
    QToolButton *SpeedButton12 = nullptr;
    QToolButton *SpeedButton3 = nullptr;
    QToolButton *SpeedButton4 = nullptr;
    QToolButton *SpeedButton5 = nullptr;
    QToolButton *SpeedButton6 = nullptr;
    QToolButton *SpeedButton7 = nullptr;
    QToolButton *SpeedButton8 = nullptr;
    QToolButton *SpeedButton9 = nullptr;
    QToolButton *SpeedButton10 = nullptr;
    QToolButton *SpeedButton11 = nullptr;
    // --- Panel3: search and command line ---
    QFrame *Panel3 = nullptr;
    QPushButton *Button1 = nullptr;
    QLabel *Label8 = nullptr;
    QComboBox *ComboBox1 = nullptr;

    // --- quil::MainWindowFrame, for the second panel's buttons ---
    void showPanelState(bool shown) override;
    bool treeShown() const override;
    void setTreeShown(bool shown) override;
    QRect windowRect() const override { return geometry(); }

    // What each command of the window does first: a second click's name
    // editor that has not opened yet never will (it would open inside the
    // command), and outside changes wait until the command has ended, its
    // dialogs included.
    [[nodiscard]] quil::ChangeHold::Scope commandHold();

    void buildPanel1();
    // The status line, the summary and the disk figures in the design's
    // colours, or their readable counterparts on a dark palette.
    void setTextColours();
    void buildPanel2();
    void buildPanel3();
    void FormCreate();
    void FormShow();
    void FormClose();
    void FormResize();
    void readQuilIni();
    void writeQuilIni();
    // The path history and the list's view choices of the last run
    // (quil.hst, quil.opt), read before the first listing.
    void restoreListState();
    void keepListState();
    // The places and sizes of the last run (quil.pos), or the design's.
    void restoreWindowLayout();
    void writeWindowLayout();
    // The constructor's set-up, in the order it runs them.
    // Navigation: wires the controls and starts the volume monitor.
    void setUpNavigation();
    // Wires the View command's button and the viewer toggle.
    void setUpView();
    // Wires rename, create folder, copy, move, delete and the second panel's buttons.
    void setUpFileCommands();
    // The marks and the selection-modes button.
    void setUpMarks();
    // The list follows the changes of its folder.
    void setUpLiveList();
    // Wires the key map, the command line and the settings button.
    void setUpKeys();
    // Wires the about window's button and the context menu.
    void setUpShell();
    // Ctrl+L, Alt+D, the Menu key and Shift+F10.
    void setUpDesktopKeys();

    // Connects the other windows' notices (status texts) once they exist,
    // and hands them to the commands that need them:
    void connectWindows();
    // the View command with the viewers;
    void connectViewers();
    // the second panel window to its buttons and its drive selector to the
    // drive lists;
    void connectSecondPanelWindow();
    // Drags out of the list and the panel; drops onto them and the tree.
    void setUpDragDrop(TForm4 &panel);
    // the edit command and the settings window's notices;
    void connectSettingsWindow();
    // the search window's viewers, settings and Go to, and "Искать".
    void connectSearchWindow();

    quil::Services &m_services;
    quil::AppWindows *m_windows = nullptr;
    quil::FolderPath m_startRoot;
    quil::FolderPath m_argumentFolder;
    QString m_argumentEntry;
    bool m_closing = false;
    bool m_started = false;
    // Whether the start has read quil.ini, and the last folder it found
    // there: a close before the start is done keeps them.
    bool m_quilIniRead = false;
    QString m_startLastFolder;
    bool m_startQueued = false;
    quil::FolderListing m_listing;
    quil::FolderListModel *m_listModel = nullptr;
    quil::FolderTreeModel *m_treeModel = nullptr;
    quil::ChangeHold *m_changeHold = nullptr;
    quil::FolderNavigator *m_nav = nullptr;
    quil::SecondPanel *m_secondPanel = nullptr;
    quil::RenameCommand *m_rename = nullptr;
    quil::DeleteCommand *m_delete = nullptr;
    quil::CopyMoveCommand *m_copyMove = nullptr;
    quil::ViewCommand *m_view = nullptr;
    quil::SecondPanelButtons *m_panelButtons = nullptr;
    quil::MarksController *m_marks = nullptr;
    quil::ListKeyMap *m_keyMap = nullptr;
    quil::ListColumnSizer *m_columns = nullptr;
    quil::EditCommand *m_edit = nullptr;
    quil::ContextMenuController *m_contextMenu = nullptr;
    quil::FileDragDrop *m_dragDrop = nullptr;
    quil::FavouriteFolders *m_favourites = nullptr;
    quil::SecondPanelDock *m_panelDock = nullptr;
};
