#pragma once

#include "platform/UniqueFd.h"
#include "platform/fileop/FileOperationCalls.h"
#include "platform/fileop/HardLinkCopies.h"

#include <optional>
#include <unistd.h>
#include <vector>

namespace quil::fileop {

struct OperationState;

// Copies (or moves across file systems) one item that is not a folder: a
// file, a link, a device, a pipe or a socket. The copy is made under a
// temporary or unnamed name and gets its final name only once whole; for a
// move the source goes only after that, and only if it still is the file
// that was copied. Another name of a file it has copied already becomes a
// name of that copy (hard links stay linked).
class LeafCopy
{
public:
    explicit LeafCopy(OperationState &state) : m_state(state) {}

    // in: the source, when it is a regular file already open (st then is its own status).
    Outcome run(const Place &src, Place &dst, const struct stat &st, bool move, bool replace, int depth,
                UniqueFd in = {});
    // Copies a source known to be a regular file under a new name without
    // looking at it by name first: the open tells what it is. nullopt, with
    // nothing done, when it cannot be opened as a regular file; it is then
    // looked at as any item is, with its questions.
    std::optional<Outcome> copyRegular(const Place &src, Place &dst, int depth);
    // The same, asking nothing, as a helper thread does: nullopt, with
    // nothing left behind, on any failure (the file is then copied again the
    // usual way, with its questions).
    std::optional<Outcome> copyFreshFile(const Place &src, const Place &dst, int depth);

private:
    // copied receives the source as it was copied (it did not change meanwhile).
    Outcome copyFile(const Place &src, const Place &dst, const struct stat &st, bool move, bool replace,
                     QByteArray &temp, struct stat &copied, UniqueFd in);
    // data: the open source's own status (its size and blocks decide the
    // copy); st: the item as looked at by name (its mode and times).
    int writeCopy(int in, const struct stat &data, const Place &dst, const struct stat &st, bool durable, bool replace,
                  QByteArray &temp, bool &made, qint64 *written = nullptr);
    int linkUnnamed(int out, const Place &dst, QByteArray &temp, bool &linked);
    bool linkToEarlierCopy(const struct stat &st, const Place &dst, QByteArray &temp);
    Outcome copyLink(const Place &src, const Place &dst, const struct stat &st, QByteArray &temp);
    Outcome makeSpecial(const Place &dst, const struct stat &st, QByteArray &temp);
    int copyData(int in, int out, const struct stat &st, bool allocateAhead, qint64 &copied);
    int copyRange(int in, int out, off_t *offset, qint64 length, bool &range, qint64 &copied);
    Outcome commit(const QByteArray &temp, Place &dst, bool replace);
    // copied: the source as it was copied.
    Outcome removeMovedSource(const Place &src, const struct stat &copied);

    OperationState &m_state;
    std::vector<char> m_buffer;
    HardLinkCopies m_hardLinks;
    // Unnamed files (O_TMPFILE) are linked in through /proc/self/fd.
    const bool m_unnamedFiles = ::access("/proc/self/fd", X_OK) == 0;
    // Linking by descriptor alone needs a capability most users lack; then /proc.
    bool m_linkByDescriptor = true;
};

} // namespace quil::fileop
