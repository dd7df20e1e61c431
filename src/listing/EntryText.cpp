#include "listing/EntryText.h"

namespace quil {

qint64 sizeKbFromBytes(qint64 bytes)
{
    if (bytes <= 0)
        return 1;
    const qint64 kb = bytes / 1024 + (bytes % 1024 != 0 ? 1 : 0);
    return kb == 0 ? 1 : kb;
}

QString sizeColumnText(bool isFolder, qint64 sizeKb)
{
    if (isFolder)
        return QStringLiteral("<dir>");
    return QString::number(sizeKb) + QStringLiteral(" Kb");
}

QString attributeLetters(quint32 attributes)
{
    QString letters;
    if (attributes & AttributeReadOnly)
        letters += QLatin1Char('R');
    if (attributes & AttributeHidden)
        letters += QLatin1Char('H');
    if (attributes & AttributeSystem)
        letters += QLatin1Char('S');
    if (attributes & AttributeArchive)
        letters += QLatin1Char('A');
    return letters;
}

} // namespace quil
