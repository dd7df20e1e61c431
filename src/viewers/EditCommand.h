#pragma once

#include "platform/FolderPath.h"

#include <QList>
#include <QObject>
#include <QString>

#include <functional>

class QComboBox;
class QEventLoop;
class QWidget;

namespace quil {

class StartedProcess;
struct ProgramSettings;
struct Services;

// The work behind the Edit command, the new text file of Shift+F4 and the
// command line: the editor the settings name, else the desktop's text
// editor, else the file's own application; typed lines started without a
// shell.
class EditCommand : public QObject
{
    Q_OBJECT
public:
    // window: the main window; its close ends every wait for an editor.
    EditCommand(Services &services, const ProgramSettings &settings, QWidget &window);

    // Opens a file in the editor, started in folder (the listed one).
    void edit(const QString &path, const FolderPath &folder);
    // Asks for a name and starts the editor on it, and in, folder,
    // then waits, the windows staying responsive, until the editor has ended.
    // A name that would not name a file of the folder ("../x", empty) is
    // refused as a rename's is. True when the editor ran and the window goes
    // on (the folder is then listed again); a second call waits on its own.
    // nameAnswered runs once the name box has closed, before the editor starts.
    bool createTextFile(const FolderPath &folder, const std::function<void()> &nameAnswered = {});
    // Enter in the command line: runs the typed line in folder (the listed
    // one) and keeps it in the box's history, also when it failed.
    void runCommandLine(QComboBox &box, const FolderPath &folder);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // Makes folder the one programs start in; false, after telling the user,
    // when it is gone.
    bool enterFolder(const FolderPath &folder);
    // Returns false when the window closed during the wait.
    bool waitForEditor(StartedProcess &editor);

    Services &m_services;
    const ProgramSettings &m_settings;
    QWidget &m_window;
    QList<QEventLoop *> m_waits;
    bool m_windowClosed = false;
};

} // namespace quil
