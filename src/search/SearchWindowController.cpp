#include "search/SearchWindowController.h"

#include "platform/Dialogs.h"
#include "platform/ErrorBox.h"
#include "platform/FolderPath.h"
#include "platform/Launcher.h"
#include "platform/Services.h"
#include "platform/SettingsFiles.h"
#include "search/BackgroundSearch.h"
#include "search/TFILESCH.h"
#include "viewers/ProgramSettings.h"
#include "viewers/ViewCommand.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

namespace quil {

const QString SearchWindowController::kFolderOpenText = QStringLiteral("Выбрана папка. К ней можно перейти.");
const QString SearchWindowController::kFolderViewText = QStringLiteral(" - это папка. К ней можно перейти.");
const QString SearchWindowController::kCannotOpenText =
    QStringLiteral("Неизвестна программа для открытия, или другая ошибка.");

SearchWindowController::SearchWindowController(TFILESCH &window, Services &services, QObject *parent)
    : QObject(parent), m_window(window), m_services(services), m_search(new BackgroundSearch(this))
{
    connect(m_search, &BackgroundSearch::progress, this, &SearchWindowController::showProgress);
    connect(m_search, &BackgroundSearch::ended, this, &SearchWindowController::searchEnded);
}

SearchWindowController::~SearchWindowController() = default;

void SearchWindowController::setResultTools(const ProgramSettings &settings, TRF &text, TSHPIC &picture,
                                            GoToEntry goToEntry)
{
    m_settings = &settings;
    delete m_view;
    m_view = new ViewCommand(m_services.launcher, settings, text, picture, this);
    m_goToEntry = std::move(goToEntry);
}

void SearchWindowController::clearState()
{
    m_currentFilePath.clear();
    if (m_view != nullptr)
        m_view->LastViewWasPicture = false;
}

bool SearchWindowController::isSearching() const
{
    return m_search->isRunning();
}

bool SearchWindowController::SearchViewWasPicture() const
{
    return m_view != nullptr && m_view->LastViewWasPicture;
}

void SearchWindowController::start()
{
    if (m_search->isRunning())
        return;
    SearchRequest request;
    request.rootFolder = m_window.Edit1->text();
    request.subfolders = m_window.CheckBox2->isChecked();
    request.name = m_window.Edit2->text();
    request.extension = m_window.Edit3->text();
    request.withText = m_window.CheckBox1->isChecked();
    request.text = m_window.Edit5->text();
    request.dos = m_window.CheckBox3->isChecked();
    m_window.ListBox1->clear();
    m_window.Button3->setEnabled(true);
    m_window.Button2->setEnabled(false);
    m_search->start(request);
}

void SearchWindowController::stop()
{
    m_search->stop();
}

void SearchWindowController::showProgress(qsizetype foldersToSearch, qsizetype foldersDone, qsizetype found)
{
    m_window.Label6->setText(QString::number(foldersToSearch));
    m_window.Label10->setText(QString::number(foldersDone));
    m_window.Label9->setText(QString::number(found));
}

void SearchWindowController::searchEnded()
{
    // Stop goes back to disabled first: the focus must not stay on a
    // disabled button when the closing message returns it.
    m_window.Button2->setEnabled(true);
    m_window.Button3->setEnabled(false);
    m_window.ListBox1->addItems(m_search->FoundList());
    for (const BackgroundSearch::Message &message : m_search->messages())
        m_services.dialogs.message(message.text, message.title, message.icon);
}

std::optional<QString> SearchWindowController::selectedResult() const
{
    const QList<QListWidgetItem *> selected = m_window.ListBox1->selectedItems();
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
        tell(kFolderOpenText);
        return;
    }
    if (!m_services.launcher.openDocument(*path))
        tell(kCannotOpenText);
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
    if (!path || m_view == nullptr)
        return;
    m_currentFilePath = *path;
    if (directoryExists(*path)) {
        tell(*path + kFolderViewText);
        return;
    }
    // The extension is the name's: a dot in a folder's name is none.
    const bool picture = ViewCommand::isPictureName(FolderPath(*path).lastName());
    m_view->LastViewWasPicture = picture;
    if (m_window.CheckBox4->isChecked()) {
        m_view->runExternal(picture, *path);
        return;
    }
    std::optional<QString> searchText;
    if (!picture && m_window.CheckBox1->isChecked())
        searchText = m_window.Edit5->text();
    m_view->showInViewer(picture, *path, searchText);
}

void SearchWindowController::toggleViewer()
{
    if (m_view != nullptr)
        m_view->toggleViewer();
}

void SearchWindowController::writeFsIni()
{
    const QStringList lines = m_settings != nullptr
                                  ? QStringList{m_settings->textViewer.path, m_settings->pictureViewer.path}
                                  : QStringList{QString(), QString()};
    runHandler(m_services.dialogs, [&] { writeSettingsLines(m_services.settingsFolder.filePath(u"fs.ini"), lines); });
}

} // namespace quil
