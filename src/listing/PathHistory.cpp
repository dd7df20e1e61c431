#include "listing/PathHistory.h"

#include "listing/PathText.h"

int PathHistory::find(const QString &path) const
{
    return quil::findHistoryLine(paths(), path);
}

int PathHistory::add(const QString &path, const quil::ItemId &id)
{
    const int found = find(path);
    if (found >= 0)
        return found;
    m_lines.prepend(Line{path, id});
    return 0;
}

QStringList PathHistory::paths() const
{
    QStringList result;
    result.reserve(m_lines.size());
    for (const Line &line : m_lines)
        result.append(line.path);
    return result;
}
