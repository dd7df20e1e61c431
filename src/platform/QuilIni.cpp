#include "platform/QuilIni.h"

#include "platform/SettingsFiles.h"

#include <QFileInfo>

namespace quil {

QString quilIniPath(const FolderPath &settingsFolder)
{
    return settingsFolder.filePath(u"quil.ini");
}

bool readQuilIni(const QString &path, QuilIniLines &lines)
{
    if (!QFileInfo::exists(path))
        return false;
    const QStringList read = readSettingsLines(path);
    const auto line = [&read](int i) { return i < read.size() ? read.at(i) : QString(); };
    lines = QuilIniLines{line(0), line(1), line(2), line(3)};
    return true;
}

void writeQuilIni(const QString &path, const QuilIniLines &lines)
{
    writeSettingsLines(path, {lines.textViewer, lines.pictureViewer, lines.editor, lines.lastFolder});
}

} // namespace quil
