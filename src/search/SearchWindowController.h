#pragma once

#include "platform/FolderPath.h"
#include "search/SearchObserver.h"

#include <QObject>
#include <QString>
#include <functional>
#include <optional>

class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace quil {

class BackgroundSearch;
class FileViewing;
struct ProgramSettings;
struct Services;

// The search window's controls that the search and the commands on a result
// work on.
struct SearchControls
{
    QLineEdit &rootFolder;   // Edit1, "В папке:"
    QCheckBox &subfolders;   // CheckBox2, "C подкаталогами "
    QLineEdit &name;         // Edit2, "По имени "
    QLineEdit &extension;    // Edit3, "С расширением"
    QCheckBox &withText;     // CheckBox1, "С текстом"
    QLineEdit &text;         // Edit5
    QCheckBox &dos;          // CheckBox3, "DOS"
    QCheckBox &otherViewer;  // CheckBox4, "Другой просмотр"
    QPushButton &start;      // Button2, "Старт"
    QPushButton &stop;       // Button3, "Стоп"
    QLabel &foldersToSearch; // Label6
    QLabel &foldersDone;     // Label10
    QLabel &found;           // Label9
    QListWidget &results;    // ListBox1
};

// The work behind the search window's handlers: a search from its fields on
// a worker thread with the counters and the closing message, and Open, Go to
// and View on the selected result. The window owns it.
class SearchWindowController : public QObject
{
    Q_OBJECT
public:
    // Lists a folder in the main window with the named entry selected and
    // the list focused.
    using GoToEntry = std::function<void(const FolderPath &folder, const QString &name)>;

    static QString folderOpenText(); // "Выбрана папка. К ней можно перейти."
    static QString folderViewText(); // " - это папка. К ней можно перейти."
    static QString cannotOpenText(); // "Неизвестна программа для открытия, или другая ошибка."

    SearchWindowController(const SearchControls &controls, Services &services, QObject *parent = nullptr);
    ~SearchWindowController() override;

    // The viewers, the settings with the outside viewers and the main
    // window's Go to, once every window exists; the viewers outlive this
    // controller.
    void setResultTools(const ProgramSettings &settings, FileViewing &viewing, GoToEntry goToEntry);

    // FormCreate: no current file, the file viewer used last.
    void clearState();
    // Start: ignored while a search runs.
    void start();
    void stop();
    bool isSearching() const;

    // Open: a folder is told, a file goes to its default application.
    void open();
    // Go to: the main window lists the result's folder with the result
    // selected; nothing when that folder is gone.
    void goTo();
    // View: a folder is told; a picture goes to the picture viewer, anything
    // else to the text viewer (with the search text when "С текстом" is
    // ticked), or either to its outside viewer when "Другой просмотр" is.
    void view();
    // Shows or hides the viewer this window used last; hides the other one.
    void toggleViewer();

    // Writes fs.ini: the outside viewers for texts and pictures. A failure
    // is shown in the general error box.
    void writeFsIni();

    // The path of the result viewed last (empty at first).
    const QString &CurrentFilePath() const { return m_currentFilePath; }
    // Whether this window showed its last result in the picture viewer.
    bool SearchViewWasPicture() const { return m_searchViewWasPicture; }

private:
    void showProgress(qsizetype foldersToSearch, qsizetype foldersDone, qsizetype found);
    void searchEnded();
    // The selected result's path; nothing when no row is selected.
    std::optional<QString> selectedResult() const;
    void tell(const QString &text);

    SearchControls m_controls;
    Services &m_services;
    BackgroundSearch *m_search = nullptr;
    const ProgramSettings *m_settings = nullptr;
    FileViewing *m_viewing = nullptr;
    GoToEntry m_goToEntry;
    QString m_currentFilePath;
    bool m_searchViewWasPicture = false;
};

} // namespace quil
