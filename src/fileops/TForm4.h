#pragma once

#include "fileops/SecondPanel.h"
#include "platform/FolderPath.h"
#include "platform/Volume.h"
#include "platform/gio/MountDialog.h"

#include <QList>
#include <QStringList>
#include <QWidget>

#include <functional>
#include <memory>

class QAbstractItemView;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;

namespace quil {
class ChangeHold;
class PanelFollower;
class PanelListModel;
class PanelListView;
class PanelReading;
struct Services;
} // namespace quil

// The second panel window: one more folder beside the main window, the
// target of copy and move, walked with its own drive selector.
class TForm4 : public QWidget, public quil::SecondPanel
{
    Q_OBJECT
public:
    explicit TForm4(quil::Services &services, QWidget *parent = nullptr);
    ~TForm4() override;

    // --- quil::SecondPanel ---
    quil::FolderPath folderPath() const override { return SecondPanelPath; }
    QStringList rowNames() const override;
    bool isShown() const override { return isVisible(); }
    void showPanel() override;
    void relist() override { ListSecondPanel(SecondPanelPath); }
    void focusList() override;

    // Shows or hides the panel as the main window's button asks; the main
    // window puts its glyph.
    std::function<void(bool shown)> shownChanged;
    // Tab in the list: the main window's list takes the focus back.
    std::function<void()> focusMainList;
    // Ctrl+K in the list: the panel docked into the main window, or back.
    std::function<void()> nextPlace;

    // Lists a folder (the caller has set SecondPanelPath to it): folders,
    // then files. A large folder is read on another thread, the counters
    // running up meanwhile, and listed is emitted once its rows are shown.
    void ListSecondPanel(const quil::FolderPath &path);
    // Whether a listing is still being read.
    bool isReading() const { return m_reading != nullptr; }
    // Runs step once the listing being read is shown (at once when none is
    // being read). A new listing drops a step not yet run.
    void whenListed(std::function<void()> step);
    // Refills the drive selector, selects its volume again (the first when it
    // is gone) and lists that volume's root.
    void rebuildDriveList(const QList<quil::Volume> &volumes);

    // The view the buttons chose, kept between runs.
    enum class View { Icons, Table, List };
    View view() const;
    void showView(View view);
    // Lists a folder kept from the last run, its volume selected in the
    // drive selector; a folder that is gone leaves the panel as it is.
    void showKeptFolder(const QString &folder);

    quil::FolderPath SecondPanelPath;

    // The panel's list, for drags out of it and drops onto it.
    QAbstractItemView *listView() const;

    // Where device notices and re-listings wait while a command of the panel
    // or its name editor is open: the main window's, whose notices re-list
    // the panel. Until set, one of the panel's own.
    void setChangeHold(quil::ChangeHold &hold) { m_changes = &hold; }

Q_SIGNALS:
    void listed();

public Q_SLOTS:
    void DriveComboBox1Change();
    void SpeedButton1Click();
    void Button1Click();
    void SpeedButton2Click();
    void SpeedButton3Click();
    void SpeedButton4Click();
    void ListView1Click();
    void ListView1DblClick();
    void ListView1Change();
    // Backspace, F2, Enter, Ctrl+R, Ctrl+K and Tab; true when the key was used.
    bool ListView1KeyDown(int key, Qt::KeyboardModifiers modifiers = {});
    // Enter in the path box lists the typed folder, or shows the error box
    // and keeps the listing; true when the key was used.
    bool Edit1KeyDown(int key);
    // The name editor accepted newName for the row named oldName of folder,
    // the folder listed when the editor opened.
    void ListView1Edited(const quil::FolderPath &folder, const QString &oldName, const QString &newName);

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void FormCreate();
    void FormResize();
    void fillDrives(const QList<quil::Volume> &volumes, const QString &kept);
    void showCounts(qsizetype folders, qsizetype files);
    void showListing();
    // A location could not be read: its error, and the folder listed before.
    void readingFailed(const QString &message);
    // Up from a folder of a GIO location: its parent folder, or from an
    // archive's top the folder that holds the archive.
    void leaveLocationFolder();
    void selectRowNamed(const QString &name, bool lastMatch);
    // Raises OsError when the text names no folder of the file system (nor
    // a GIO location's URI).
    void listTypedFolder(const QString &typed);

    // The controls, by their designed names; tests find them by object name.
    QLineEdit *Edit1 = nullptr;
    QComboBox *DriveComboBox1 = nullptr;
    QToolButton *SpeedButton1 = nullptr;
    QPushButton *Button1 = nullptr;
    QLabel *Label1 = nullptr;
    QToolButton *SpeedButton2 = nullptr;
    QToolButton *SpeedButton3 = nullptr;
    QToolButton *SpeedButton4 = nullptr;
    QLabel *Label2 = nullptr;
    QLabel *Label4 = nullptr;
    QLabel *Label3 = nullptr;
    QLabel *Label5 = nullptr;
    quil::PanelListView *ListView1 = nullptr;
    QLabel *Label6 = nullptr;

    quil::Services &m_services;
    quil::ChangeHold *m_changes = nullptr;
    // The folder listed when the name editor opened: the rename's folder.
    quil::FolderPath m_editFolder;
    // While Enter in the path box reports a bad path: its error box takes
    // the focus, and the typed text stays to be mended.
    bool m_reportingTypedPath = false;
    // Removed first when the window goes: the box loses the focus while
    // Qt deletes it, after this window's own members are gone.
    QObject *m_pathBoxLeft = nullptr;
    // The full paths of the listing shown, folders and files, and the
    // list's rows over them.
    QStringList m_folders;
    QStringList m_files;
    quil::PanelListModel *m_rows = nullptr;
    std::unique_ptr<quil::PanelReading> m_reading;
    std::function<void()> m_whenListed;
    // The last folder listed whole: where a failed reading goes back to.
    quil::FolderPath m_listedPath;
    quil::MountDialog m_mountQuestions{this};
    // Applies what other programs change in the listed folder.
    quil::PanelFollower *m_follower = nullptr;
};
