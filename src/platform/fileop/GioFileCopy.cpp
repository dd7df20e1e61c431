#include "platform/fileop/GioFileCopy.h"

#include "platform/fileop/OperationState.h"
#include "platform/gio/GObjectRef.h"

#include <QByteArray>
#include <QRandomGenerator>

#include <cerrno>

namespace quil::fileop {

namespace {

constexpr goffset kReportFrom = 1 << 20;

struct CopyProgress
{
    OperationState &state;
    GCancellable *cancellable;
    goffset reported = 0;
};

void progress(goffset current, goffset, gpointer data)
{
    auto *copy = static_cast<CopyProgress *>(data);
    if (current > copy->reported) {
        copy->state.addBytes(current - copy->reported);
        copy->reported = current;
    }
    if (copy->state.cancelled())
        g_cancellable_cancel(copy->cancellable);
}

bool writtenWhole(GFile *partial, GFileInfo *info, GCancellable *cancellable, GError **error)
{
    if (g_file_info_get_file_type(info) != G_FILE_TYPE_REGULAR)
        return true;
    const GObjectRef<GFileInfo> written(g_file_query_info(partial, G_FILE_ATTRIBUTE_STANDARD_SIZE,
                                                          G_FILE_QUERY_INFO_NOFOLLOW_SYMLINKS, cancellable, error));
    if (written && g_file_info_get_size(written.get()) == g_file_info_get_size(info))
        return true;
    if (written)
        g_set_error_literal(error, G_IO_ERROR, G_IO_ERROR_FAILED, g_strerror(EIO));
    return false;
}

} // namespace

bool copyIntoPlace(OperationState &state, GCancellable *cancellable, GFile *source, GFileInfo *info, GFile *destination,
                   bool replace, GError **error)
{
    const GObjectRef<GFile> folder(g_file_get_parent(destination));
    const QByteArray temporary = ".quil-" + QByteArray::number(QRandomGenerator::global()->generate64(), 36) + ".part";
    const GObjectRef<GFile> partial(g_file_get_child(folder.get(), temporary.constData()));
    CopyProgress copied{state, cancellable};
    // A small file's progress would cost the server a round trip of its own.
    const bool small = g_file_info_get_size(info) < kReportFrom;
    const GFileCopyFlags flags = G_FILE_COPY_NOFOLLOW_SYMLINKS;
    // Whole: only then over the final name (an existing item stays whole until here).
    const GFileCopyFlags into = GFileCopyFlags(G_FILE_COPY_NO_FALLBACK_FOR_MOVE | G_FILE_COPY_NOFOLLOW_SYMLINKS |
                                               (replace ? G_FILE_COPY_OVERWRITE : 0));
    const bool done =
        g_file_copy(source, partial.get(), flags, cancellable, small ? nullptr : &progress, &copied, error) &&
        writtenWhole(partial.get(), info, cancellable, error) &&
        g_file_move(partial.get(), destination, into, cancellable, nullptr, nullptr, error);
    if (!done) {
        g_file_delete(partial.get(), nullptr, nullptr);
        state.bytesDone -= copied.reported;
    } else if (small) {
        state.addBytes(g_file_info_get_size(info));
    }
    return done;
}

} // namespace quil::fileop
