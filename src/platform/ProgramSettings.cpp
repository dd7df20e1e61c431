#include "platform/ProgramSettings.h"

#include "platform/QuilIni.h"
#include "platform/SettingsFiles.h"

namespace quil {

ProgramSettings ProgramSettings::fromQuilIni(const QuilIniLines &lines)
{
    const auto program = [](const QString &line) { return fileExists(line) ? Program{line, true} : Program{}; };
    ProgramSettings settings;
    settings.textViewer = program(lines.textViewer);
    settings.pictureViewer = program(lines.pictureViewer);
    settings.editor = program(lines.editor);
    return settings;
}

void ProgramSettings::toQuilIni(QuilIniLines &lines) const
{
    lines.textViewer = textViewer.path;
    lines.pictureViewer = pictureViewer.path;
    lines.editor = editor.path;
}

} // namespace quil
