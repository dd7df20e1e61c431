#include "listing/SortOrder.h"
#include <QCoreApplication>

namespace quil {

bool sortKeyForColumn(int column, SortKey &key)
{
    switch (column) {
    case ColumnName:
        key = SortKey::Name;
        return true;
    case ColumnSize:
        key = SortKey::Size;
        return true;
    case ColumnDate:
        key = SortKey::Date;
        return true;
    case ColumnType:
        key = SortKey::Type;
        return true;
    default:
        return false;
    }
}

QString sortMessage(int column)
{
    switch (column) {
    case ColumnName:
        return QCoreApplication::translate("SortOrder", "По имени");
    case ColumnSize:
        return QCoreApplication::translate("SortOrder", "По размеру");
    case ColumnDate:
        return QCoreApplication::translate("SortOrder", "По дате");
    case ColumnType:
        return QCoreApplication::translate("SortOrder", "По типу");
    default:
        return {};
    }
}

QString columnCaption(int column)
{
    switch (column) {
    case ColumnName:
        return QStringLiteral("Name   ");
    case ColumnSize:
        return QStringLiteral("Size  ");
    case ColumnDate:
        return QStringLiteral("Date  ");
    case ColumnType:
        return QStringLiteral("Type  ");
    case ColumnAttributes:
        return QStringLiteral("Atrib  ");
    default:
        return {};
    }
}

int columnWidth(int column)
{
    static const int widths[ColumnCount] = {135, 65, 127, 120, 60};
    return column >= 0 && column < ColumnCount ? widths[column] : 0;
}

QString withSortMarker(const QString &caption, bool marked)
{
    QString text = caption;
    text.chop(qMin<qsizetype>(2, text.size()));
    return text + (marked ? QStringLiteral(" v") : QStringLiteral("  "));
}

} // namespace quil
