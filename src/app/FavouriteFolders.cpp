#include "app/FavouriteFolders.h"

#include "listing/FavouriteFoldersFile.h"
#include "platform/ErrorBox.h"
#include "platform/Services.h"

#include <QAction>
#include <QComboBox>
#include <QMenu>
#include <QSignalBlocker>

namespace quil {

FavouriteFolders::FavouriteFolders(QComboBox &pathBox, Services &services, QObject *parent)
    : QObject(parent), m_pathBox(pathBox), m_services(services)
{}

void FavouriteFolders::restore()
{
    m_folders = readFavouriteFolders(favouriteFoldersPath(m_services.settingsFolder));
    showInPathBox();
}

QString FavouriteFolders::toggle(const FolderPath &folder)
{
    const QString path = folder.path();
    QString status;
    if (m_folders.removeOne(path)) {
        status = tr("Убрано из избранного: %1").arg(folder.withTrailingSlash());
    } else {
        if (m_folders.size() >= kKeptFavourites)
            return tr("В избранном уже %1 папок").arg(kKeptFavourites);
        m_folders.append(path);
        status = tr("Добавлено в избранное: %1").arg(folder.withTrailingSlash());
    }
    showInPathBox();
    runHandler(m_services.dialogs,
               [this] { writeFavouriteFolders(favouriteFoldersPath(m_services.settingsFolder), m_folders); });
    return status;
}

std::optional<FolderPath> FavouriteFolders::pick(QWidget *owner, QPoint at) const
{
    QMenu menu(owner);
    menu.setObjectName(QStringLiteral("FavouriteFoldersMenu"));
    for (const QString &folder : m_folders)
        menu.addAction(FolderPath(folder).withTrailingSlash())->setData(folder);
    if (m_folders.isEmpty())
        menu.addAction(tr("Избранных папок нет: Ctrl+D добавляет открытую папку"))->setEnabled(false);
    const QAction *picked = menu.exec(at);
    if (picked == nullptr || picked->data().isNull())
        return std::nullopt;
    return FolderPath(picked->data().toString());
}

void FavouriteFolders::showInPathBox()
{
    const QSignalBlocker quiet(&m_pathBox);
    const QString typed = m_pathBox.currentText();
    for (; m_itemsInBox > 0; --m_itemsInBox)
        m_pathBox.removeItem(m_pathBox.count() - 1);
    if (m_folders.isEmpty())
        return;
    m_pathBox.insertSeparator(m_pathBox.count());
    m_pathBox.addItems(m_folders);
    m_itemsInBox = int(m_folders.size()) + 1;
    m_pathBox.setEditText(typed);
}

} // namespace quil
