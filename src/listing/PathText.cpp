#include "listing/PathText.h"

namespace quil {

bool isRootPathText(const QString &text)
{
    return text == QLatin1String("/") || text == computerFolderPath();
}

QString pathBoxText(const QString &path)
{
    if (isRootPathText(path) || path.isEmpty() || path.endsWith(QLatin1Char('/')))
        return path;
    return path + QLatin1Char('/');
}

int findHistoryLine(const QStringList &lines, const QString &path)
{
    for (int i = 0; i < lines.size(); ++i)
        if (lines.at(i).compare(path, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

} // namespace quil
