#include "listing/PathHistory.h"

#include "listing/PathText.h"

namespace quil {

int PathHistory::find(const QString &path) const
{
    return findHistoryLine(paths(), path);
}

int PathHistory::add(const QString &path, const ItemId &id)
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

} // namespace quil
