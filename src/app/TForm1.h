#pragma once

#include "listing/FolderListing.h"
#include "listing/PathHistory.h"
#include "platform/Volume.h"

#include <QList>
#include <QMainWindow>

class AppWindows;
class FolderListModel;
class FolderTreeModel;
class QComboBox;
class QFrame;
class QLabel;
class QPushButton;
class QSplitter;
class QToolButton;
class FolderListView;
class QTreeView;

namespace quil {
struct Services;
}

// The main window: path, disk and button rows, the folder tree, the folder
// list, the command buttons and the command line. Controls keep the names of
// the stored layout so that the commands of every subsystem can reach them.
class TForm1 : public QMainWindow
{
    Q_OBJECT
public:
    // Runs FormCreate.
    explicit TForm1(quil::Services &services, QWidget *parent = nullptr);
    ~TForm1() override;

    // The other windows, for start-up and close (settings, search, extensions).
    void setWindows(AppWindows *windows) { m_windows = windows; }

    // Writes a command's text into the status line and repaints it at once,
    // so it shows while the command blocks the window.
    void SetStatus(const QString &text);

    QString startRoot() const { return m_startRoot; }
    bool windowShown() const { return m_windowShown; }

    // --- The folder listing ---

    // Lists the folder the identifier names: reads and sorts its entries,
    // makes it current, keeps the path box and its history, selects row 0 or
    // the entry named EntryToSelect, points the tree at it and refreshes the
    // disk display. Raises OsError and keeps the previous listing when the
    // folder cannot be read.
    void BrowseToIdentifier(const quil::ItemId &target);
    // Lists a path ("computer:///" or an absolute path, a trailing "/"
    // allowed), switching the drive selector first when the path lies on
    // another volume. Raises OsError for a path that does not exist.
    void NavigateByPath(const QString &path);
    // The entry of row i; raises std::out_of_range outside the list.
    const TShellItem &EntryOfRow(int i) const { return m_listing.entry(i); }
    FolderListing &listing() { return m_listing; }
    FolderListModel *listModel() const { return m_listModel; }
    const PathHistory &history() const { return m_history; }
    // The name the next listing selects when present (kept across listings).
    QString &EntryToSelect() { return m_listing.EntryToSelect; }

    // A click on a column header: columns 0 to 3 choose the sort order, say
    // so in a message box, list the path box's folder afresh and move the
    // " v" marker; the attribute column does nothing.
    void ListViewColumnClick(int column);
    // The list's data hint: the detail fill of rows first to last.
    void ListViewDataHint(int first, int last);

    // Disk size and free space in kilobytes of the last folder on a volume.
    qint64 diskSizeKb() const { return m_diskSizeKb; }
    qint64 diskFreeKb() const { return m_diskFreeKb; }

    // --- Folder tree and drive selector, for the navigation commands ---

    // Expands the tree to a folder path and selects its node.
    void SetTreePath(const QString &path);
    // The file-system path of the tree's selected node; empty for virtual ones.
    QString TreeSelectedPath() const;
    // Scrolls the tree so that its selected node is the top visible node.
    void ScrollTreeSelectionToTop();
    // Re-reads the children of the tree node at an absolute position
    // (0 the hidden desktop root, 1 home, 2 the computer folder at first).
    void RefreshTreeNode(int position);
    FolderTreeModel *treeModel() const { return m_treeModel; }
    // Re-reads the volumes into the drive selector, keeping its volume when
    // it is still mounted.
    void FillDriveList();
    // The mount point of the drive selector's volume; empty when none.
    QString SelectedDrive() const;
    // Selects the volume with this mount point in the drive selector (the
    // selector's change signal fires as for a user's choice).
    void SelectDrive(const QString &mountPoint);

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
    FolderListView *ListView = nullptr;
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

public Q_SLOTS:
    // "Закончить / Exit": closes the main window, which ends the program.
    void SpeedButton1Click();

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void buildPanel1();
    void buildPanel2();
    void buildPanel3();
    void FormCreate();
    void FormShow();
    void FormClose();
    void FormResize();
    void readQuilIni();
    void writeQuilIni();
    void ReadFolder(const quil::ItemId &folder);
    void keepPathHistory();
    void selectEntryAfterListing();
    void RefreshDiskDisplay();

    quil::Services &m_services;
    AppWindows *m_windows = nullptr;
    QString m_startRoot;
    bool m_windowShown = false;
    FolderListing m_listing;
    FolderListModel *m_listModel = nullptr;
    FolderTreeModel *m_treeModel = nullptr;
    PathHistory m_history;
    QList<quil::Volume> m_volumes;
    qint64 m_diskSizeKb = 0;
    qint64 m_diskFreeKb = 0;
};
