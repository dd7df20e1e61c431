#include "shell/HelpFile.h"

#include "platform/SettingsFiles.h"

#include <QDir>

namespace quil {

QString findHelpFile(const QString &programFolder)
{
    const QString name = QString::fromLatin1(helpFileName);
    const QString beside = programFolder + name;
    if (fileExists(beside))
        return beside;
    const QString installed = QDir::cleanPath(programFolder + QStringLiteral("../share/quil/") + name);
    if (fileExists(installed))
        return installed;
    return {};
}

} // namespace quil
