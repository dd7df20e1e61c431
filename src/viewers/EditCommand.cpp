#include "viewers/EditCommand.h"

#include "fileops/CommandSources.h"
#include "fileops/PanelFolder.h"
#include "listing/NavigationText.h"
#include "platform/Dialogs.h"
#include "platform/Launcher.h"
#include "platform/ProgramSettings.h"
#include "platform/Services.h"
#include "platform/StartedProcess.h"
#include "viewers/CommandLineText.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QEvent>
#include <QEventLoop>
#include <QWidget>

namespace quil {

namespace {
const QString kTitle = QStringLiteral("QUIL");
const QString kTextType = QStringLiteral("text/plain");
} // namespace

EditCommand::EditCommand(Services &services, const ProgramSettings &settings, QWidget &window)
    : QObject(&window), m_services(services), m_settings(settings), m_window(window)
{
    window.installEventFilter(this);
}

bool EditCommand::enterFolder(const FolderPath &folder)
{
    if (Launcher::enterFolder(folder))
        return true;
    m_services.dialogs.message(folderNotFoundMessage(folder.withTrailingSlash()), kTitle, Dialogs::Icon::None);
    return false;
}

void EditCommand::edit(const QString &path, const FolderPath &folder)
{
    if (!enterFolder(folder))
        return;
    Launcher &launcher = m_services.launcher;
    if (m_settings.editor.used) {
        // The outside editor's start is not examined.
        launcher.run(m_settings.editor.path, path, Launcher::ArgumentForm::OneArgument);
        return;
    }
    const bool started = launcher.hasDefaultApplication(kTextType)
                             ? launcher.startDefaultApplication(kTextType, path) != nullptr
                             : launcher.openDocument(path);
    if (!started)
        m_services.dialogs.message(QCoreApplication::translate("EditCommand", "Не могу редактировать: ") + path, kTitle,
                                   Dialogs::Icon::None);
}

bool EditCommand::createTextFile(const FolderPath &folder, const std::function<void()> &nameAnswered)
{
    const std::optional<QString> name = m_services.dialogs.inputBox(
        QCoreApplication::translate("EditCommand", "Создаем текстовый  файл"),
        QCoreApplication::translate("EditCommand", "Введите имя файла"), QStringLiteral("new.txt"));
    if (nameAnswered)
        nameAnswered();
    if (!name)
        return false;
    // "../x" would name a file outside the folder, an empty name the folder itself.
    if (isRefusedNewName(*name)) {
        refuseNewName(m_services.dialogs, folder.filePath(*name));
        return false;
    }
    if (!enterFolder(folder))
        return false;
    // The editor creates the file when the user saves it.
    const QString path = folder.filePath(*name);
    Launcher &launcher = m_services.launcher;
    const std::unique_ptr<StartedProcess> editor =
        m_settings.editor.used ? launcher.start(m_settings.editor.path, path, Launcher::ArgumentForm::OneArgument)
                               : launcher.startDefaultApplication(kTextType, path);
    if (!editor) {
        m_services.dialogs.message(
            QCoreApplication::translate("EditCommand", "Ошибка при запуске текстового редактора "), kTitle,
            Dialogs::Icon::None);
        return false;
    }
    return waitForEditor(*editor);
}

bool EditCommand::waitForEditor(StartedProcess &editor)
{
    if (m_windowClosed)
        return false;
    if (editor.hasEnded())
        return true;
    QEventLoop loop;
    connect(&editor, &StartedProcess::ended, &loop, &QEventLoop::quit);
    m_waits.append(&loop);
    loop.exec();
    m_waits.removeOne(&loop);
    return !m_windowClosed;
}

bool EditCommand::eventFilter(QObject *watched, QEvent *event)
{
    // The program's end must not wait for an editor.
    if (watched == &m_window && event->type() == QEvent::Close) {
        m_windowClosed = true;
        for (QEventLoop *loop : std::as_const(m_waits))
            loop->quit();
    }
    return QObject::eventFilter(watched, event);
}

void EditCommand::runCommandLine(QComboBox &box, const FolderPath &folder)
{
    const QString line = box.currentText();
    if (line.isEmpty())
        return;
    if (enterFolder(folder)) {
        const CommandLineParts parts = splitCommandLine(line);
        const QString program = programOfPart(parts.program);
        const bool started = hasParameters(parts.parameters)
                                 ? m_services.launcher.run(program, parts.parameters, Launcher::ArgumentForm::Split)
                                 : m_services.launcher.run(program);
        if (!started)
            m_services.dialogs.message(QCoreApplication::translate("EditCommand", "Не могу выполнить: ") +
                                           parts.program,
                                       kTitle, Dialogs::Icon::None);
    }
    // Every line run is kept, duplicates too; the text stays in the box.
    box.addItem(line);
    box.setEditText(line);
}

} // namespace quil
