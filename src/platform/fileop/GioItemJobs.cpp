#include "platform/fileop/GioItemJobs.h"

#include "platform/fileop/GioCalls.h"
#include "platform/gio/GObjectRef.h"

namespace quil::fileop {

namespace {

Outcome removeTree(OperationState &state, GFile *item)
{
    // The trash deletes an item with its content, and refuses to touch what
    // lies inside one.
    const bool wholeAtOnce = g_file_has_uri_scheme(item, "trash");
    const GObjectRef<GFileInfo> info(
        wholeAtOnce ? nullptr
                    : g_file_query_info(item, "standard::type", G_FILE_QUERY_INFO_NOFOLLOW_SYMLINKS, nullptr, nullptr));
    if (info && g_file_info_get_file_type(info.get()) == G_FILE_TYPE_DIRECTORY) {
        GObjectRef<GFileEnumerator> children;
        const Outcome opened = attemptGio(state, item, [&](GError **error) {
            children = GObjectRef<GFileEnumerator>(
                g_file_enumerate_children(item, "standard::name", G_FILE_QUERY_INFO_NOFOLLOW_SYMLINKS, nullptr, error));
            return bool(children);
        });
        if (opened != Outcome::Done)
            return opened;
        bool whole = true;
        GFileInfo *child = nullptr;
        GFile *childFile = nullptr;
        while (g_file_enumerator_iterate(children.get(), &child, &childFile, nullptr, nullptr) && child) {
            const Outcome removed = removeTree(state, childFile);
            if (removed == Outcome::Cancelled)
                return removed;
            whole = whole && removed == Outcome::Done;
        }
        // A folder goes only once it is empty.
        if (!whole)
            return Outcome::Skipped;
    }
    return attemptGio(state, item, [&](GError **error) { return bool(g_file_delete(item, nullptr, error)); });
}

} // namespace

bool runGioRemoval(OperationState &state, const QStringList &sources, bool toTrash)
{
    state.itemsTotal = int(sources.size());
    for (const QString &source : sources) {
        if (state.cancelled())
            break;
        const GObjectRef<GFile> item(gioFileFor(source));
        state.enter(gioShownName(item.get()));
        const Outcome outcome =
            toTrash ? attemptGio(state, item.get(),
                                 [&](GError **error) { return bool(g_file_trash(item.get(), nullptr, error)); })
                    : removeTree(state, item.get());
        if (outcome == Outcome::Cancelled)
            break;
        ++state.itemsDone;
    }
    return !state.cancelled();
}

bool runGioRename(OperationState &state, const QString &source, const QString &target)
{
    const GObjectRef<GFile> from(gioFileFor(source));
    const GObjectRef<GFile> to(gioFileFor(target));
    state.enter(gioShownName(from.get()));
    const GFileCopyFlags flags = GFileCopyFlags(G_FILE_COPY_NOFOLLOW_SYMLINKS | G_FILE_COPY_NO_FALLBACK_FOR_MOVE);
    return attemptGio(state, from.get(), [&](GError **error) {
               return bool(g_file_move(from.get(), to.get(), flags, nullptr, nullptr, nullptr, error));
           }) == Outcome::Done;
}

} // namespace quil::fileop
