#pragma once

#include "platform/ItemId.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace quil {

// The path box's history: one line per distinct folder path, newest first,
// each with the identifier of the folder it was made for. Lines are never
// removed; the history lasts as long as the program runs.
class PathHistory
{
public:
    struct Line
    {
        QString path;
        ItemId id;
    };

    // The line of path, letter case ignored; -1 when there is none. O(lines).
    int find(const QString &path) const;
    // The line of path; a path that is not there yet is inserted first.
    // Returns the line's index (0 for a new one).
    int add(const QString &path, const ItemId &id);

    int size() const { return int(m_lines.size()); }
    const Line &line(int i) const { return m_lines.at(i); }
    QStringList paths() const;

private:
    QList<Line> m_lines;
};

} // namespace quil
