#include "search/FolderListRows.h"

#include "fileops/PanelFolder.h"
#include "platform/FolderPath.h"

namespace quil {

QList<FolderListRow> folderListRows(const QString &volumeRoot, const QString &folder)
{
    const FolderPath chosen(folder);
    FolderPath top(volumeRoot);
    if (top.isEmpty() || !top.contains(chosen))
        top = FolderPath::root();

    QList<FolderListRow> rows;
    rows.append({top.path(), top.path(), 0, true});
    if (chosen != top) {
        const QStringList parts =
            chosen.path().mid(top.withTrailingSlash().size()).split(QLatin1Char('/'), Qt::SkipEmptyParts);
        FolderPath path = top;
        for (const QString &part : parts) {
            path = path.child(part);
            rows.append({path.path(), part, int(rows.size()), true});
        }
    }
    const int childDepth = int(rows.size());
    for (const QString &child : readPanelFolder(chosen).folders)
        rows.append({FolderPath(child).path(), FolderPath(child).lastName(), childDepth, false});
    return rows;
}

} // namespace quil
