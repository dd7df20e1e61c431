#include "platform/fileop/GioTransferJob.h"

#include "platform/LocationUri.h"
#include "platform/fileop/GioCalls.h"
#include "platform/fileop/GioFileCopy.h"
#include "platform/fileop/OperationState.h"
#include "platform/fileop/UndoPlaces.h"
#include "platform/gio/GioLocation.h"

namespace quil::fileop {

namespace {

constexpr GFileQueryInfoFlags kNoFollow = G_FILE_QUERY_INFO_NOFOLLOW_SYMLINKS;
constexpr const char *kItemAttributes = "standard::name,standard::type,standard::size";

GFileInfo *queryItem(GFile *file, GCancellable *cancellable, GError **error)
{
    return g_file_query_info(file, kItemAttributes, kNoFollow, cancellable, error);
}

bool exists(GFile *file, GCancellable *cancellable, GFileType &type)
{
    const GObjectRef<GFileInfo> info(queryItem(file, cancellable, nullptr));
    type = info ? g_file_info_get_file_type(info.get()) : G_FILE_TYPE_UNKNOWN;
    return bool(info);
}

} // namespace

bool needsGio(const QStringList &sources, const QString &target)
{
    if (isGioLocation(target))
        return true;
    for (const QString &source : sources)
        if (isGioLocation(source))
            return true;
    return false;
}

GioTransferJob::GioTransferJob(OperationState &state, bool move)
    : m_state(state), m_move(move), m_cancellable(g_cancellable_new()), m_freshCopies(state, m_cancellable.get())
{}

template <typename Step> Outcome GioTransferJob::attempt(GFile *file, Step step)
{
    return attemptGio(m_state, file, step);
}

bool GioTransferJob::run(const QStringList &sources, const QString &target)
{
    const GObjectRef<GFile> folder(gioFileFor(target));
    const Outcome opened = attempt(folder.get(), [&](GError **error) {
        const GObjectRef<GFileInfo> info(
            g_file_query_info(folder.get(), "standard::type", G_FILE_QUERY_INFO_NONE, m_cancellable.get(), error));
        if (info && g_file_info_get_file_type(info.get()) != G_FILE_TYPE_DIRECTORY)
            g_set_error_literal(error, G_IO_ERROR, G_IO_ERROR_NOT_DIRECTORY, g_strerror(ENOTDIR));
        return info && g_file_info_get_file_type(info.get()) == G_FILE_TYPE_DIRECTORY;
    });
    if (opened != Outcome::Done)
        return false;

    std::vector<GObjectRef<GFile>> items;
    for (const QString &source : sources) {
        GObjectRef<GFile> item(gioFileFor(source));
        if (g_file_equal(item.get(), folder.get()) || g_file_has_prefix(folder.get(), item.get())) {
            m_state.refuseIntoItself(gioBaseName(item.get()), m_move);
            m_state.noteError(EINVAL);
            return false;
        }
        items.push_back(std::move(item));
    }
    for (const GObjectRef<GFile> &item : items)
        countTotals(item.get(), nullptr);

    for (size_t i = 0; i < items.size() && !m_state.cancelled(); ++i) {
        GFile *item = items[i].get();
        const GObjectRef<GFile> destination(g_file_get_child(folder.get(), gioBaseName(item).constData()));
        // The trash lets its items go only whole: one moved elsewhere is
        // copied whole first and only then taken out of it.
        m_keepsInsides = m_move && isInTrash(sources[int(i)]);
        Outcome outcome = transfer(item, nullptr, destination.get(), 0, false);
        if (outcome == Outcome::Done && m_keepsInsides && g_file_query_exists(item, m_cancellable.get()))
            outcome = removeSource(item);
        if (outcome == Outcome::Cancelled)
            break;
    }
    return !m_state.cancelled();
}

void GioTransferJob::countTotals(GFile *file, GFileInfo *listed)
{
    // What a folder's listing told is not asked again: on a server each
    // question is a round trip.
    const GObjectRef<GFileInfo> info(listed ? G_FILE_INFO(g_object_ref(listed))
                                            : queryItem(file, m_cancellable.get(), nullptr));
    ++m_state.itemsTotal;
    if (!info)
        return;
    if (g_file_info_get_file_type(info.get()) == G_FILE_TYPE_REGULAR)
        m_state.bytesTotal += g_file_info_get_size(info.get());
    if (g_file_info_get_file_type(info.get()) != G_FILE_TYPE_DIRECTORY || m_state.cancelled())
        return;
    const GObjectRef<GFileEnumerator> children(
        g_file_enumerate_children(file, kItemAttributes, kNoFollow, m_cancellable.get(), nullptr));
    if (!children)
        return;
    GFileInfo *child = nullptr;
    GFile *childFile = nullptr;
    while (!m_state.cancelled() &&
           g_file_enumerator_iterate(children.get(), &child, &childFile, m_cancellable.get(), nullptr) && child)
        countTotals(childFile, child);
}

Outcome GioTransferJob::transfer(GFile *source, GFileInfo *listed, GFile *destination, int depth, bool freshFolder)
{
    m_state.enter(gioShownName(source));
    if (g_file_equal(source, destination)) {
        // Onto itself: the one copy there is would be replaced or removed.
        const OperationState::Choice choice = m_state.ask(gioShownName(source), reasonText(EEXIST), EEXIST);
        return choice == OperationState::Choice::Cancel ? Outcome::Cancelled : Outcome::Skipped;
    }
    // Each question to a server is a round trip: what the folder's listing
    // told and what a folder made just now cannot hold are not asked again.
    GObjectRef<GFileInfo> info(listed ? static_cast<GFileInfo *>(g_object_ref(listed)) : nullptr);
    const Outcome looked = info ? Outcome::Done : attempt(source, [&](GError **error) {
        info = GObjectRef<GFileInfo>(queryItem(source, m_cancellable.get(), error));
        return bool(info);
    });
    if (looked != Outcome::Done)
        return looked;
    GFileType existingType = G_FILE_TYPE_UNKNOWN;
    const bool present = !freshFolder && exists(destination, m_cancellable.get(), existingType);
    Outcome outcome = Outcome::Done;
    if (m_move && !present && movedInOneStep(source, destination, outcome)) {
        noteGioPlaced(m_state, source, destination);
        m_state.itemDone(depth);
        return outcome;
    }
    const bool folder = g_file_info_get_file_type(info.get()) == G_FILE_TYPE_DIRECTORY;
    if (present && folder != (existingType == G_FILE_TYPE_DIRECTORY)) {
        const OperationState::Choice choice = m_state.ask(gioShownName(destination), reasonText(EEXIST), EEXIST);
        return choice == OperationState::Choice::Cancel ? Outcome::Cancelled : Outcome::Skipped;
    }
    outcome = folder ? transferFolder(source, destination, present, depth)
                     : transferFile(source, info.get(), destination, present);
    if (outcome == Outcome::Done)
        m_state.itemDone(depth);
    // For the undo journal, as on disk: each item placed whole, and a folder
    // a copy made even when not all of it came.
    if (outcome == Outcome::Done || (folder && !present && !m_move))
        noteGioPlaced(m_state, source, destination);
    if (outcome == Outcome::Done && present && !folder)
        noteGioReplaced(m_state, destination);
    return outcome;
}

bool GioTransferJob::movedInOneStep(GFile *source, GFile *destination, Outcome &outcome)
{
    GError *error = nullptr;
    const GFileCopyFlags flags = GFileCopyFlags(G_FILE_COPY_NOFOLLOW_SYMLINKS | G_FILE_COPY_NO_FALLBACK_FOR_MOVE);
    if (g_file_move(source, destination, flags, m_cancellable.get(), nullptr, nullptr, &error)) {
        outcome = Outcome::Done;
        return true;
    }
    g_clear_error(&error);
    return false;
}

Outcome GioTransferJob::transferFolder(GFile *source, GFile *destination, bool exists, int depth)
{
    if (exists) {
        // Into a folder of that name: merged, as on disk, once the user agrees.
        const Outcome agreed = m_state.askReplace(gioShownName(source), gioShownName(destination));
        if (agreed != Outcome::Done)
            return agreed;
    } else {
        const Outcome made = attempt(destination, [&](GError **error) {
            return bool(g_file_make_directory(destination, m_cancellable.get(), error));
        });
        if (made != Outcome::Done)
            return made;
    }
    GObjectRef<GFileEnumerator> children;
    const Outcome opened = attempt(source, [&](GError **error) {
        children = GObjectRef<GFileEnumerator>(
            g_file_enumerate_children(source, kItemAttributes, kNoFollow, m_cancellable.get(), error));
        return bool(children);
    });
    if (opened != Outcome::Done)
        return opened;
    // Gathered first: in a folder made just now its files go several at once.
    std::vector<GObjectRef<GFile>> sources, targets;
    std::vector<GObjectRef<GFileInfo>> infos;
    bool whole = true;
    for (;;) {
        GFileInfo *child = nullptr;
        GFile *childFile = nullptr;
        GError *error = nullptr;
        if (!g_file_enumerator_iterate(children.get(), &child, &childFile, m_cancellable.get(), &error)) {
            const OperationState::Choice choice =
                m_state.ask(gioShownName(source), QString::fromUtf8(error->message), errnoOf(error));
            g_error_free(error);
            if (choice == OperationState::Choice::Cancel)
                return Outcome::Cancelled;
            whole = false;
            break;
        }
        if (!child)
            break;
        sources.emplace_back(G_FILE(g_object_ref(childFile)));
        infos.emplace_back(G_FILE_INFO(g_object_ref(child)));
        targets.emplace_back(g_file_get_child(destination, g_file_info_get_name(child)));
    }
    const std::vector<GioFreshCopies::Result> fresh =
        exists ? std::vector<GioFreshCopies::Result>(sources.size(), GioFreshCopies::Result::NotDone)
               : copyFreshFiles(sources, infos, targets, depth + 1);
    for (size_t i = 0; i < sources.size(); ++i) {
        Outcome outcome = Outcome::Done;
        if (fresh[i] == GioFreshCopies::Result::NotDone) {
            outcome = transfer(sources[i].get(), infos[i].get(), targets[i].get(), depth + 1, !exists);
        } else if (fresh[i] == GioFreshCopies::Result::Copied) {
            outcome = removeSource(sources[i].get());
            if (outcome == Outcome::Done) {
                noteGioPlaced(m_state, sources[i].get(), targets[i].get());
                m_state.itemDone(depth + 1);
            }
        }
        if (outcome == Outcome::Cancelled)
            return outcome;
        whole = whole && outcome == Outcome::Done;
    }
    // A folder leaves its place only when everything in it has moved.
    if (removesSources() && whole)
        return removeSource(source);
    return whole ? Outcome::Done : Outcome::Skipped;
}

std::vector<GioFreshCopies::Result> GioTransferJob::copyFreshFiles(const std::vector<GObjectRef<GFile>> &sources,
                                                                   const std::vector<GObjectRef<GFileInfo>> &infos,
                                                                   const std::vector<GObjectRef<GFile>> &targets,
                                                                   int depth)
{
    std::vector<GioFreshCopies::Item> files;
    std::vector<size_t> at;
    for (size_t i = 0; i < sources.size(); ++i) {
        if (g_file_info_get_file_type(infos[i].get()) != G_FILE_TYPE_REGULAR)
            continue;
        files.push_back({sources[i].get(), infos[i].get(), targets[i].get()});
        at.push_back(i);
    }
    std::vector<GioFreshCopies::Result> results(sources.size(), GioFreshCopies::Result::NotDone);
    if (!GioFreshCopies::worthIt(files.size()))
        return results;
    const std::vector<GioFreshCopies::Result> copied = m_freshCopies.copy(files, removesSources(), depth);
    for (size_t i = 0; i < at.size(); ++i)
        results[at[i]] = copied[i];
    return results;
}

Outcome GioTransferJob::transferFile(GFile *source, GFileInfo *info, GFile *destination, bool exists)
{
    if (exists) {
        const Outcome agreed = m_state.askReplace(gioShownName(source), gioShownName(destination));
        if (agreed != Outcome::Done)
            return agreed;
    }
    const Outcome copied = attempt(source, [&](GError **error) {
        return copyIntoPlace(m_state, m_cancellable.get(), source, info, destination, exists, error);
    });
    if (copied != Outcome::Done || !removesSources())
        return copied;
    return removeSource(source);
}

Outcome GioTransferJob::removeSource(GFile *source)
{
    return attempt(source, [&](GError **error) { return bool(g_file_delete(source, m_cancellable.get(), error)); });
}

} // namespace quil::fileop
