#include "search/FolderListRows.h"

#include "fileops/PanelFolder.h"

namespace quil {

QString chooserPath(const QString &folder)
{
    QString path = folder;
    while (path.size() > 1 && path.endsWith(QLatin1Char('/')))
        path.chop(1);
    return path;
}

QList<FolderListRow> folderListRows(const QString &volumeRoot, const QString &folder)
{
    const QString chosen = chooserPath(folder);
    QString top = chooserPath(volumeRoot);
    const bool inside = top == QLatin1String("/") || chosen == top || chosen.startsWith(top + QLatin1Char('/'));
    if (top.isEmpty() || !inside)
        top = QStringLiteral("/");

    QList<FolderListRow> rows;
    rows.append({top, top, 0, true});
    if (chosen != top) {
        const qsizetype from = top == QLatin1String("/") ? 1 : top.size() + 1;
        const QStringList parts = chosen.mid(from).split(QLatin1Char('/'), Qt::SkipEmptyParts);
        QString path = top == QLatin1String("/") ? QString() : top;
        for (const QString &part : parts) {
            path += QLatin1Char('/') + part;
            rows.append({path, part, int(rows.size()), true});
        }
    }
    const int childDepth = int(rows.size());
    const QString withSlash = chosen == QLatin1String("/") ? chosen : chosen + QLatin1Char('/');
    for (const QString &child : readPanelFolder(withSlash).folders)
        rows.append({chooserPath(child), LastFolderName(child), childDepth, false});
    return rows;
}

} // namespace quil
