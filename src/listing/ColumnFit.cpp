#include "listing/ColumnFit.h"

#include <algorithm>
#include <numeric>

namespace quil {

QList<int> fittedColumnWidths(const QList<int> &bases, const QList<int> &contents, int available)
{
    QList<int> widths = bases;
    if (widths.isEmpty())
        return widths;
    int room = available - std::accumulate(widths.cbegin(), widths.cend(), 0);
    for (int column = 1; column < widths.size() && room > 0; ++column) {
        const int wanted = column < contents.size() ? contents.at(column) - widths.at(column) : 0;
        const int added = std::clamp(wanted, 0, room);
        widths[column] += added;
        room -= added;
    }
    if (room > 0)
        widths[0] += room;
    return widths;
}

} // namespace quil
