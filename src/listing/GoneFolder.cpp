#include "listing/GoneFolder.h"

#include "platform/SettingsFiles.h"

namespace quil {

FolderPath existingFolderAbove(const FolderPath &gone)
{
    FolderPath above = gone;
    while (!above.isEmpty() && !above.isRoot()) {
        above = above.parent();
        if (directoryExists(above.path()))
            return above;
    }
    return {};
}

QString goneFolderText(const FolderPath &gone, const FolderPath &shown)
{
    return QStringLiteral("Папка %1 удалена или переименована, показана %2")
        .arg(gone.withTrailingSlash(), shown.withTrailingSlash());
}

} // namespace quil
