#pragma once

#include <QString>

namespace quil {

// The four orders of the list. The values are the keys the column click sets.
enum class SortKey { Name = 0, Size = 1, Type = 2, Date = 3 };

// Columns of the list, left to right.
enum ListColumn {
    ColumnName = 0,
    ColumnSize = 1,
    ColumnDate = 2,
    ColumnType = 3,
    ColumnAttributes = 4,
    ColumnCount = 5
};

// The order a click on a column header chooses; false for the attribute
// column, which sorts nothing.
bool sortKeyForColumn(int column, SortKey &key);

// The message box text shown when a column chooses its order ("По имени" ...).
QString sortMessage(int column);

// The caption of a column without marker, as first shown ("Name   " ...).
QString columnCaption(int column);
int columnWidth(int column);

// A caption with its last two characters replaced by the sort marker " v"
// or by two blanks.
QString withSortMarker(const QString &caption, bool marked);

} // namespace quil
