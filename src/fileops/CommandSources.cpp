#include "fileops/CommandSources.h"

#include "fileops/MainList.h"
#include "listing/FolderListing.h"
#include "listing/TShellItem.h"
#include "platform/Dialogs.h"
#include "platform/FolderPath.h"
#include "platform/ShellNamespace.h"

#include <QApplication>
#include <QWidget>

#include <QCoreApplication>
#include <cerrno>
#include <cstring>

namespace quil {

bool listHasFocus(const QWidget *list)
{
    const QWidget *focused = QApplication::focusWidget();
    return focused != nullptr && (focused == list || list->isAncestorOf(focused));
}

int commandRow(const MainList &list, Dialogs &dialogs)
{
    const int row = list.currentRow();
    if (list.listHasFocus() && row >= 0)
        return row;
    dialogs.message(QCoreApplication::translate("CommandSources", "Ничего не выбрано"), QStringLiteral("QUIL"),
                    Dialogs::Icon::None);
    return -1;
}

QString sourcePathOf(const TShellItem &entry)
{
    const ItemId &id = entry.folderChild.id;
    if (id.kind() == ItemId::Kind::Path)
        return id.path();
    // A location's item goes by its URI, a folder's without the "/" that ends it.
    if (id.isLocation())
        return FolderPath(id.path()).path();
    return ShellNamespace::computerParsingName + entry.name;
}

CommandSources collectSources(const FolderListing &listing, int currentRow)
{
    CommandSources sources;
    const auto add = [&](const TShellItem &entry) {
        const QString path = sourcePathOf(entry);
        sources.paths.append(path);
        // A location's URI holds its names escaped: the shown name is the one to tell.
        sources.names.append(entry.folderChild.id.isLocation() ? entry.name : FolderPath(path).lastName());
    };
    for (int row = 0; row < listing.count(); ++row)
        if (listing.isMarked(row))
            add(listing.entry(row));
    sources.fromMarks = !sources.paths.isEmpty();
    if (!sources.fromMarks && currentRow >= 0 && currentRow < listing.count())
        add(listing.entry(currentRow));
    return sources;
}

QStringList fileSystemPaths(const QStringList &paths)
{
    QStringList files;
    for (const QString &path : paths)
        if (path.startsWith(QLatin1Char('/')))
            files.append(path);
    return files;
}

QString nameLines(const QStringList &names, int limit)
{
    QString text;
    for (int j = 1; j <= names.size(); ++j) {
        text += names.at(j - 1) + QLatin1String("\r\n");
        if (j == limit) {
            text += QLatin1String("...\r\n\r\n");
            break;
        }
    }
    return text;
}

QString nameAfterRow(const FolderListing &listing, int row)
{
    return row + 1 < listing.count() ? listing.entry(row + 1).name : QString();
}

void refuseNewName(Dialogs &dialogs, const QString &path)
{
    dialogs.askItemError(path, QString::fromLocal8Bit(std::strerror(EINVAL)));
}

} // namespace quil
