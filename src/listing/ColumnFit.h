#pragma once

#include <QList>

namespace quil {

// The widths the list's columns are drawn with. bases are the widths the
// user chose (or the design's); contents the widths the columns' shown texts
// need. Room beyond the bases first widens the other columns to their texts,
// in column order, and the rest goes to the first (name) column, so the name
// takes whatever the window gains. Without room the bases stand. O(columns).
QList<int> fittedColumnWidths(const QList<int> &bases, const QList<int> &contents, int available);

} // namespace quil
