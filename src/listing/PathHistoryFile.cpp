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

QStringList readFolderLines(const QString &path, int limit,
                            const std::function<bool(const QStringList &taken, const QString &line)> &keeps)
{
    if (!fileExists(path))
        return {};
    QList<QByteArray> read;
    try {
        read = readSettingsByteLines(path);
    } catch (const QuilError &) {
        // These lines are a comfort, not the user's data: they start empty.
        return {};
    }
    QStringList lines;
    for (const QByteArray &bytes : read) {
        const QString line = fromNative(bytes);
        if (keeps(lines, line))
            lines.append(line);
        if (lines.size() == limit)
            break;
    }
    return lines;
}

void writeFolderLines(const QString &path, const QStringList &lines, int limit)
{
    QList<QByteArray> bytes;
    for (const QString &line : lines.mid(0, limit))
        bytes.append(toNative(line));
    writeSettingsByteLines(path, bytes);
}

QStringList readPathHistory(const QString &path)
{
    return readFolderLines(path, kKeptHistoryLines, [](const QStringList &taken, const QString &line) {
        return isListedFolderLine(line) && findHistoryLine(taken, line) < 0;
    });
}

void writePathHistory(const QString &path, const QStringList &lines)
{
    writeFolderLines(path, lines, kKeptHistoryLines);
}

} // namespace quil
