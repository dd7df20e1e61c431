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

QString expandHome(const QString &text, const QString &home)
{
    if (text == QLatin1String("~"))
        return home;
    if (text.startsWith(QLatin1String("~/")))
        return home + text.mid(1);
    return text;
}

int findHistoryLine(const QStringList &lines, const QString &path)
{
    for (int i = 0; i < lines.size(); ++i)
        if (lines.at(i).compare(path, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

PathTail splitLastName(const QString &path)
{
    QString text = path;
    if (text.endsWith(QLatin1Char('/')))
        text.chop(1);
    const qsizetype slash = text.lastIndexOf(QLatin1Char('/'));
    if (slash < 0)
        return {};
    return {text.left(slash + 1), text.mid(slash + 1)};
}

} // namespace quil
