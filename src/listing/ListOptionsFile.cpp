#include "listing/ListOptionsFile.h"

#include "platform/OsError.h"
#include "platform/SettingsFiles.h"

#include <QStringList>

namespace quil {

namespace {
const QString kHidden = QStringLiteral("hidden");
} // namespace

QString listOptionsPath(const FolderPath &settingsFolder)
{
    return settingsFolder.filePath(u"quil.opt");
}

ListOptions readListOptions(const QString &path)
{
    ListOptions options;
    if (!fileExists(path))
        return options;
    QStringList lines;
    try {
        lines = readSettingsLines(path);
    } catch (const QuilError &) {
        // A view choice is a comfort, not the user's data: the defaults stand.
        return options;
    }
    for (const QString &line : lines) {
        const qsizetype equals = line.indexOf(QLatin1Char('='));
        if (equals < 0 || line.left(equals).trimmed() != kHidden)
            continue;
        const QString value = line.mid(equals + 1).trimmed();
        if (value == QLatin1String("0") || value == QLatin1String("1"))
            options.hiddenShown = value == QLatin1String("1");
    }
    return options;
}

void writeListOptions(const QString &path, const ListOptions &options)
{
    writeSettingsLines(path, {kHidden + QLatin1Char('=') + QString::number(options.hiddenShown ? 1 : 0)});
}

} // namespace quil
