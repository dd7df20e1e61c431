#include "fileops/TFolderSize.h"

TFolderSize::TFolderSize(const QString &folderPath, int rowIndex, quint64 listing, QObject *parent)
    : QObject(parent), FolderPath(folderPath), RowIndex(rowIndex), Listing(listing)
{}
