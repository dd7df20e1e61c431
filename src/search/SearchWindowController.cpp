#include "search/SearchWindowController.h"

#include "platform/gio/GioLocation.h"

#include "platform/Dialogs.h"
#include "platform/ErrorBox.h"
#include "platform/FolderPath.h"
#include "platform/Launcher.h"
#include "platform/ProgramSettings.h"
#include "platform/Services.h"
#include "platform/SettingsFiles.h"
#include "search/BackgroundSearch.h"
#include "search/FileViewing.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

namespace quil {

QString SearchWindowController::folderOpenText()
{
    return QCoreApplication::translate("SearchWindowController", "Выбрана папка. К ней можно перейти.");
}
QString SearchWindowController::folderViewText()
{
    return QCoreApplication::translate("SearchWindowController", " - это папка. К ней можно перейти.");
}
QString SearchWindowController::cannotOpenText()
{
    return QCoreApplication::translate("SearchWindowController",
                                       "Неизвестна программа для открытия, или другая ошибка.");
}

SearchWindowController::SearchWindowController(const SearchControls &controls, Services &services, QObject *parent)
    : QObject(parent), m_controls(controls), m_services(services), m_search(new BackgroundSearch(this))
{
    connect(m_search, &BackgroundSearch::progress, this, &SearchWindowController::showProgress);
    connect(m_search, &BackgroundSearch::ended, this, &SearchWindowController::searchEnded);
}

SearchWindowController::~SearchWindowController() = default;

void SearchWindowController::setResultTools(const ProgramSettings &settings, FileViewing &viewing, GoToEntry goToEntry)
{
    m_settings = &settings;
    m_viewing = &viewing;
    m_goToEntry = std::move(goToEntry);
}

void SearchWindowController::clearState()
{
    m_currentFilePath.clear();
    m_searchViewWasPicture = false;
}

bool SearchWindowController::isSearching() const
{
    return m_search->isRunning();
}

void SearchWindowController::start()
{
    if (m_search->isRunning())
        return;
    // The search walks folders of the disk; a network folder's walk would
    // ask the server for every folder of its tree.
    if (isGioLocation(m_controls.rootFolder.text().trimmed())) {
        tell(tr("Поиск в сетевых папках и архивах не выполняется: ") + m_controls.rootFolder.text().trimmed());
        return;
    }
    SearchRequest request;
    request.rootFolder = m_controls.rootFolder.text();
    request.subfolders = m_controls.subfolders.isChecked();
    request.name = m_controls.name.text();
    request.extension = m_controls.extension.text();
    request.withText = m_controls.withText.isChecked();
    request.text = m_controls.text.text();
    request.dos = m_controls.dos.isChecked();
    m_controls.results.clear();
    m_controls.stop.setEnabled(true);
    m_controls.start.setEnabled(false);
    m_search->start(request);
}

void SearchWindowController::stop()
{
    m_search->stop();
}

void SearchWindowController::showProgress(qsizetype foldersToSearch, qsizetype foldersDone, qsizetype found)
{
    m_controls.foldersToSearch.setText(QString::number(foldersToSearch));
    m_controls.foldersDone.setText(QString::number(foldersDone));
    m_controls.found.setText(QString::number(found));
}

void SearchWindowController::searchEnded()
{
    // Stop goes back to disabled first: the focus must not stay on a
    // disabled button when the closing message returns it.
    m_controls.start.setEnabled(true);
    m_controls.stop.setEnabled(false);
    m_controls.results.addItems(m_search->FoundList());
    for (const BackgroundSearch::Message &message : m_search->messages())
        m_services.dialogs.message(message.text, message.title, message.icon);
}

std::optional<QString> SearchWindowController::selectedResult() const
{
    const QList<QListWidgetItem *> selected = m_controls.results.selectedItems();
    if (selected.isEmpty())
        return std::nullopt;
    return selected.first()->text();
}

void SearchWindowController::tell(const QString &text)
{
    m_services.dialogs.message(text, QStringLiteral("QUIL"), Dialogs::Icon::None);
}

void SearchWindowController::open()
{
    const std::optional<QString> path = selectedResult();
    if (!path)
        return;
    if (directoryExists(*path)) {
        tell(folderOpenText());
        return;
    }
    if (!m_services.launcher.openDocument(*path))
        tell(cannotOpenText());
}

void SearchWindowController::goTo()
{
    const std::optional<QString> path = selectedResult();
    if (!path || !m_goToEntry)
        return;
    const FolderPath found(*path);
    const FolderPath folder = found.parent();
    if (folder.isEmpty() || !directoryExists(folder.path()))
        return;
    m_goToEntry(folder, found.lastName());
}

void SearchWindowController::view()
{
    const std::optional<QString> path = selectedResult();
    if (!path || m_viewing == nullptr)
        return;
    m_currentFilePath = *path;
    if (directoryExists(*path)) {
        tell(*path + folderViewText());
        return;
    }
    // The extension is the name's: a dot in a folder's name is none.
    const bool picture = m_viewing->isPictureName(FolderPath(*path).lastName());
    m_searchViewWasPicture = picture;
    if (m_controls.otherViewer.isChecked()) {
        m_viewing->runExternal(picture, *path);
        return;
    }
    std::optional<QString> searchText;
    if (!picture && m_controls.withText.isChecked())
        searchText = m_controls.text.text();
    m_viewing->showInViewer(picture, *path, searchText);
}

void SearchWindowController::toggleViewer()
{
    if (m_viewing != nullptr)
        m_viewing->toggleViewer(m_searchViewWasPicture);
}

void SearchWindowController::writeFsIni()
{
    const QStringList lines = m_settings != nullptr
                                  ? QStringList{m_settings->textViewer.path, m_settings->pictureViewer.path}
                                  : QStringList{QString(), QString()};
    runHandler(m_services.dialogs, [&] { writeSettingsLines(m_services.settingsFolder.filePath(u"fs.ini"), lines); });
}

} // namespace quil
