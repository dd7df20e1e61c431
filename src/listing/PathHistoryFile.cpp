#include "listing/PathHistoryFile.h"

#include "listing/PathText.h"
#include "platform/FolderPath.h"
#include "platform/NativePath.h"
#include "platform/OsError.h"
#include "platform/SettingsByteLines.h"
#include "platform/SettingsFiles.h"

namespace quil {

bool isListedFolderLine(const QString &line)
{
    if (line == computerFolderPath())
        return true;
    if (!line.startsWith(QLatin1Char('/')) || line.contains(QChar(0)) || line.contains(QLatin1String("//")) ||
        FolderPath(line).path() != line)
        return false;
    const QStringList items = line.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    return !items.contains(QStringLiteral(".")) && !items.contains(QStringLiteral(".."));
}

QString pathHistoryPath(const FolderPath &settingsFolder)
{
    return settingsFolder.filePath(u"quil.hst");
}

QStringList readPathHistory(const QString &path)
{
    if (!fileExists(path))
        return {};
    QList<QByteArray> read;
    try {
        read = readSettingsByteLines(path);
    } catch (const QuilError &) {
        // The history is a comfort, not the user's data: it starts empty.
        return {};
    }
    QStringList lines;
    for (const QByteArray &bytes : read) {
        const QString line = fromNative(bytes);
        if (isListedFolderLine(line) && findHistoryLine(lines, line) < 0)
            lines.append(line);
        if (lines.size() == kKeptHistoryLines)
            break;
    }
    return lines;
}

void writePathHistory(const QString &path, const QStringList &lines)
{
    QList<QByteArray> bytes;
    for (const QString &line : lines.mid(0, kKeptHistoryLines))
        bytes.append(toNative(line));
    writeSettingsByteLines(path, bytes);
}

} // namespace quil
