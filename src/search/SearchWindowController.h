#pragma once

#include "platform/FolderPath.h"
#include "search/SearchObserver.h"

#include <QObject>
#include <QString>
#include <functional>
#include <optional>

class TFILESCH;
class TRF;
class TSHPIC;

namespace quil {

class BackgroundSearch;
struct ProgramSettings;
struct Services;
class ViewCommand;

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

    static const QString kFolderOpenText; // "Выбрана папка. К ней можно перейти."
    static const QString kFolderViewText; // " - это папка. К ней можно перейти."
    static const QString kCannotOpenText; // "Неизвестна программа для открытия, или другая ошибка."

    SearchWindowController(TFILESCH &window, Services &services, QObject *parent = nullptr);
    ~SearchWindowController() override;

    // The viewers, the settings with the outside viewers and the main
    // window's Go to, once every window exists.
    void setResultTools(const ProgramSettings &settings, TRF &text, TSHPIC &picture, GoToEntry goToEntry);

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
    bool SearchViewWasPicture() const;

private:
    void showProgress(qsizetype foldersToSearch, qsizetype foldersDone, qsizetype found);
    void searchEnded();
    // The selected result's path; nothing when no row is selected.
    std::optional<QString> selectedResult() const;
    void tell(const QString &text);

    TFILESCH &m_window;
    Services &m_services;
    BackgroundSearch *m_search = nullptr;
    const ProgramSettings *m_settings = nullptr;
    ViewCommand *m_view = nullptr;
    GoToEntry m_goToEntry;
    QString m_currentFilePath;
};

} // namespace quil
