#include "listing/GoneFolder.h"

#include "platform/SettingsFiles.h"
#include <QCoreApplication>

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
    return QCoreApplication::translate("GoneFolder", "Папка %1 удалена или переименована, показана %2")
        .arg(gone.withTrailingSlash(), shown.withTrailingSlash());
}

} // namespace quil
