#include "platform/fileop/ReplacedItem.h"

#include "platform/fileop/FileOperation.h"
#include "platform/fileop/GioTrash.h"
#include "platform/fileop/OperationState.h"
#include "platform/fileop/TrashEntry.h"

#include <cerrno>
#include <unistd.h>

namespace quil::fileop {

int renameOver(OperationState &state, int fromFolder, const QByteArray &fromName, const Place &dst)
{
    const auto replaceForGood = [&] {
        return ::renameat(fromFolder, fromName.constData(), dst.folder, dst.name.constData()) == 0 ? 0 : errno;
    };
    struct stat replaced;
    if (!(state.flags & FOF_ALLOWUNDO) ||
        ::fstatat(dst.folder, dst.name.constData(), &replaced, AT_SYMLINK_NOFOLLOW) != 0 || S_ISDIR(replaced.st_mode))
        return replaceForGood();
    std::optional<TrashEntry> trashed;
    if (!moveToTrash(dst.path, &trashed, &replaced).isEmpty()) {
        const int code = replaceForGood();
        if (code == 0)
            state.noteReplaced(dst.path, {});
        return code;
    }
    if (renameNoReplace(fromFolder, fromName.constData(), dst.folder, dst.name.constData()) == 0) {
        state.noteReplaced(dst.path, trashed.value_or(TrashEntry{}));
        return 0;
    }
    const int code = errno;
    if (trashed && renameNoReplace(AT_FDCWD, trashed->file.constData(), dst.folder, dst.name.constData()) == 0)
        ::unlink(trashed->info.constData());
    else
        state.noteReplaced(dst.path, trashed.value_or(TrashEntry{})); // it stays in the trash
    return code;
}

} // namespace quil::fileop
