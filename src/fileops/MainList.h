#pragma once

#include "platform/FolderPath.h"

#include <QString>

class QWidget;

namespace quil {

class ChangeHold;
class FolderListing;
class FolderListModel;
class MarksController;
class SecondPanel;

// What the commands of the main list need of the main window: its entries
// and marks, the current row and the focus, the listed folder and listing
// another, the tree node to refresh, the status line and the summary. The
// main window implements it; the commands never see its controls.
class MainList
{
public:
    virtual ~MainList() = default;

    // --- Entries, marks and rows ---

    // The listed entries with their marks.
    virtual FolderListing &listing() = 0;
    // The model over listing(): rows to redraw, and the notice that the
    // listing is about to be replaced.
    virtual FolderListModel &listModel() = 0;
    // Repaints the list at once (marks drawn by the view itself).
    virtual void redrawList() = 0;
    // The row of the list's selected entry; -1 when no row is selected.
    virtual int currentRow() const = 0;
    // Whether the list has the keyboard focus; it keeps it while its own
    // in-place name editor holds the focus.
    virtual bool listHasFocus() const = 0;
    // Opens the in-place name editor on a row, focused and current.
    virtual void startNameEdit(int row) = 0;
    // The marks of the list and the folder-size workers.
    virtual MarksController &marks() const = 0;

    // --- The listed folder ---

    // The listed folder, whatever is typed in the path box; what the
    // commands act on. Empty before the first listing.
    virtual FolderPath listedFolder() const = 0;
    // Lists a folder; raises OsError for a folder that does not exist and
    // keeps the listing.
    virtual void navigateByPath(const FolderPath &folder) = 0;
    // Lists the listed folder again; raises OsError when it is gone.
    virtual void relistFolder() = 0;
    // The name the next listing selects when present (kept across listings).
    virtual QString &entryToSelect() = 0;

    // --- Tree, status line, summary ---

    // The absolute position of the tree's selected node; -1 when none.
    virtual int selectedTreeNode() const = 0;
    // "Обновление дерева ", the tree node at an absolute position re-read,
    // "Жду команду... ".
    virtual void refreshTree(int position) = 0;
    // Scrolls the tree so that its selected node is the top visible node.
    virtual void scrollTreeSelectionToTop() = 0;
    // Writes the status line and repaints it at once, so it shows while a
    // command blocks the window.
    virtual void setStatus(const QString &text) = 0;
    // Writes the selection summary line.
    virtual void setSummary(const QString &text) = 0;

    // --- Around the list ---

    // The second panel, for the copy target and its refresh; may be null.
    virtual SecondPanel *secondPanel() const = 0;
    // Device notices and folder-size reports pass here; a running file
    // operation holds them.
    virtual ChangeHold &changeHold() const = 0;
    // The window that owns the commands' dialogs and progress windows.
    virtual QWidget *ownerWindow() = 0;
};

} // namespace quil
