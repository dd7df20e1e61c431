#include "platform/fileop/LeafCopy.h"

#include "platform/PosixIo.h"
#include "platform/fileop/ExtendedAttributes.h"
#include "platform/fileop/FileOperation.h"
#include "platform/fileop/OperationState.h"
#include "platform/fileop/ReplacedItem.h"

#include <QByteArray>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <fcntl.h>

namespace quil::fileop {

namespace {

constexpr qint64 kRangeChunk = 16 * 1024 * 1024;
constexpr size_t kBufferSize = 1024 * 1024;
// Below this a file's blocks are few, and a call to allocate them ahead costs
// more than it saves.
constexpr qint64 kAllocateAheadFrom = 1024 * 1024;
// writeCopy's result for a source that was written while it was copied.
constexpr int kSourceChanged = -1;

// Opens a source file for reading; non-blocking, so that a file swapped for a
// FIFO since it was looked at cannot hang the copy. opened receives what was
// opened: its size, not the one looked at by name, says how much to copy.
// 0 or errno.
int openSource(const Place &src, UniqueFd &in, struct stat &opened)
{
    in = UniqueFd(::openat(src.folder, src.name.constData(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK));
    if (!in.valid())
        return errno;
    if (::fstat(in.get(), &opened) != 0)
        return errno;
    if (!S_ISREG(opened.st_mode))
        return EINVAL;
    // Of the flags opened with, F_SETFL changes only O_NONBLOCK.
    ::fcntl(in.get(), F_SETFL, 0);
    return 0;
}

int readLink(int folder, const QByteArray &name, qint64 sizeHint, QByteArray &link)
{
    link = QByteArray(qsizetype(sizeHint > 0 ? sizeHint + 1 : PATH_MAX), '\0');
    for (;;) {
        const ssize_t n = ::readlinkat(folder, name.constData(), link.data(), size_t(link.size()));
        if (n < 0)
            return errno;
        if (n < link.size()) {
            link.truncate(n);
            return 0;
        }
        link.resize(link.size() * 2);
    }
}

} // namespace

std::optional<Outcome> LeafCopy::copyRegular(const Place &src, Place &dst, int depth)
{
    UniqueFd in;
    struct stat st = {};
    if (openSource(src, in, st) != 0)
        return std::nullopt;
    return run(src, dst, st, false, false, depth, std::move(in));
}

std::optional<Outcome> LeafCopy::copyFreshFile(const Place &src, const Place &dst, int depth)
{
    UniqueFd in;
    struct stat st = {};
    // A file of several names is left to the walk, which makes its other
    // names links of one copy, one at a time.
    if (openSource(src, in, st) != 0 || st.st_nlink > 1)
        return std::nullopt;
    QByteArray temp;
    bool made = false;
    qint64 written = 0;
    const int code = writeCopy(in.get(), st, dst, st, false, false, temp, made, &written);
    if (code == ECANCELED && m_state.cancelled())
        return Outcome::Cancelled;
    if (code != 0)
        return std::nullopt;
    if (!temp.isEmpty() && renameNoReplace(dst.folder, temp.constData(), dst.folder, dst.name.constData()) != 0) {
        // The name was taken meanwhile: a question for the usual way.
        ::unlinkat(dst.folder, temp.constData(), 0);
        m_state.bytesDone -= written;
        return std::nullopt;
    }
    m_state.notePlaced(src.path, dst.path);
    m_state.itemDone(depth);
    return Outcome::Done;
}

Outcome LeafCopy::run(const Place &src, Place &dst, const struct stat &st, bool move, bool replace, int depth,
                      UniqueFd in)
{
    QByteArray temp;
    struct stat copied = st; // the source as it was copied
    Outcome outcome;
    const bool linked = linkToEarlierCopy(st, dst, temp);
    if (linked)
        outcome = Outcome::Done;
    else if (S_ISREG(st.st_mode))
        outcome = copyFile(src, dst, st, move, replace, temp, copied, std::move(in));
    else if (S_ISLNK(st.st_mode))
        outcome = copyLink(src, dst, st, temp);
    else
        outcome = makeSpecial(dst, st, temp);
    if (outcome != Outcome::Done)
        return outcome;

    if (!temp.isEmpty()) {
        outcome = commit(temp, dst, replace);
        if (outcome != Outcome::Done)
            return outcome;
    }
    if (linked)
        m_hardLinks.noteLinked(st);
    else
        m_hardLinks.noteCopied(copied, dst.path);
    if (move) {
        // The new name must be durable before the source goes.
        ::fsync(dst.folder);
        outcome = removeMovedSource(src, copied);
    }
    if (outcome == Outcome::Done)
        m_state.notePlaced(src.path, dst.path);
    m_state.itemDone(depth);
    return outcome;
}

// Another name of a file whose copy this operation made becomes, under a
// temporary name in temp, a name of that copy. False, with nothing made,
// where there is no such copy or the link cannot be made (the item is then
// copied).
bool LeafCopy::linkToEarlierCopy(const struct stat &st, const Place &dst, QByteArray &temp)
{
    const QByteArray copy = m_hardLinks.copyOf(st);
    if (copy.isEmpty())
        return false;
    if (posix::underTemporaryName(temp, [&](const char *name) {
            return ::linkat(AT_FDCWD, copy.constData(), dst.folder, name, 0) == 0;
        }) != 0) {
        temp.clear();
        return false;
    }
    // The totals count every name's bytes: this one is done without copying
    // them. Added to what is done, never taken off the total, which the
    // counting thread may not have reached yet.
    if (m_state.counted)
        m_state.addBytes(bytesToCopy(st));
    return true;
}

// A regular file; temp receives the temporary name still to commit (empty
// when the copy was linked in under its final name at once).
Outcome LeafCopy::copyFile(const Place &src, const Place &dst, const struct stat &st, bool move, bool replace,
                           QByteArray &temp, struct stat &copied, UniqueFd in)
{
    struct stat data = st;
    if (!in.valid()) {
        const Outcome opened = m_state.attempt(src.path, [&] { return openSource(src, in, data); });
        if (opened != Outcome::Done)
            return opened;
    }
    struct stat looked = st;
    for (;;) {
        bool made = false;
        const int code = writeCopy(in.get(), data, dst, looked, replace || move, replace, temp, made);
        if (code == 0)
            break;
        if (code == ECANCELED && m_state.cancelled())
            return Outcome::Cancelled;
        const bool atTarget = code == ENOSPC || code == EDQUOT || !made;
        const auto choice = code == kSourceChanged ? m_state.ask(src.path, changedWhileCopiedText(), EBUSY)
                                                   : m_state.ask(atTarget ? dst.path : src.path, code);
        if (choice != OperationState::Choice::Retry)
            return OperationState::outcomeOf(choice);
        // Copied again as the file is now.
        if (::lseek(in.get(), 0, SEEK_SET) != 0 || ::fstat(in.get(), &data) != 0)
            return OperationState::outcomeOf(m_state.ask(src.path, errno));
        looked = data;
    }
    // What was copied: a move deletes the source only while it still is that.
    copied = data;
    return Outcome::Done;
}

// Writes one whole copy of in. A new name gets an unnamed file, linked in once
// whole, so that nothing is left behind even by a crash; elsewhere a temporary
// name. On failure everything written is removed and the progress taken back.
// made: whether the copy could be created at all; written, when given,
// receives the bytes written on success. 0, errno, or kSourceChanged when the
// source was written while it was copied.
int LeafCopy::writeCopy(int in, const struct stat &data, const Place &dst, const struct stat &st, bool durable,
                        bool replace, QByteArray &temp, bool &made, qint64 *written)
{
    UniqueFd out;
    temp.clear();
    int code = 0;
    const mode_t mode = copyMode(st, m_state.user, m_state.group);
    // Nobody can open an unnamed file, so it may have its final mode from the
    // start, where that is exactly the mode it gets: one call less a file.
    const bool modeAtOnce = dst.traits.plainModes && (mode & ~mode_t(0777)) == 0 && (mode & m_state.umask) == 0;
    bool modeSet = false;
    if (!replace && m_unnamedFiles) {
        out = UniqueFd(::openat(dst.folder, ".", O_TMPFILE | O_WRONLY | O_CLOEXEC, modeAtOnce ? mode : 0600));
        modeSet = out.valid() && modeAtOnce;
    }
    if (!out.valid()) {
        out = posix::createTemporaryIn(dst.folder, temp);
        code = out.valid() ? 0 : errno;
        if (!out.valid())
            temp.clear(); // the name tried last is somebody else's
    }
    made = out.valid();
    const bool named = !temp.isEmpty();
    qint64 copied = 0;
    const struct timespec times[2] = {st.st_atim, st.st_mtim};
    if (code == 0)
        code = copyData(in, out.get(), data, dst.traits.allocatesAhead, copied);
    // A source written meanwhile (its size or change time moved) would leave
    // a copy of old and new content mixed.
    struct stat after;
    if (code == 0 && (::fstat(in, &after) != 0 || !unchangedSince(data, after)))
        code = kSourceChanged;
    if (code == 0 && !modeSet && ::fchmod(out.get(), mode) != 0)
        code = errno;
    if (code == 0)
        copyExtendedAttributes(in, out.get());
    if (code == 0 && ::futimens(out.get(), times) != 0)
        code = errno;
    // The data must be on disk before it replaces an old target or its source goes.
    if (code == 0 && durable && ::fsync(out.get()) != 0)
        code = errno;
    bool linked = false;
    if (code == 0 && !named)
        code = linkUnnamed(out.get(), dst, temp, linked);
    if (code == 0)
        code = out.close();
    if (code == 0) {
        if (linked)
            temp.clear();
        if (written)
            *written = copied;
        return 0;
    }
    out.reset();
    if (linked)
        ::unlinkat(dst.folder, dst.name.constData(), 0);
    if (!temp.isEmpty())
        ::unlinkat(dst.folder, temp.constData(), 0);
    temp.clear();
    m_state.bytesDone -= copied;
    return code;
}

// Gives an unnamed copy its final name; if the name was taken meanwhile, a
// temporary one (in temp), so that commit asks about the conflict. 0 or errno.
int LeafCopy::linkUnnamed(int out, const Place &dst, QByteArray &temp, bool &linked)
{
    const QByteArray self = "/proc/self/fd/" + QByteArray::number(out);
    int result = -1;
    if (m_linkByDescriptor) {
        result = ::linkat(out, "", dst.folder, dst.name.constData(), AT_EMPTY_PATH);
        if (result != 0 && (errno == ENOENT || errno == EPERM))
            m_linkByDescriptor = false;
    }
    if (!m_linkByDescriptor)
        result = ::linkat(AT_FDCWD, self.constData(), dst.folder, dst.name.constData(), AT_SYMLINK_FOLLOW);
    if (result == 0) {
        linked = true;
        return 0;
    }
    if (errno != EEXIST)
        return errno;
    return posix::underTemporaryName(temp, [&](const char *name) {
        return ::linkat(AT_FDCWD, self.constData(), dst.folder, name, AT_SYMLINK_FOLLOW) == 0;
    });
}

Outcome LeafCopy::copyLink(const Place &src, const Place &dst, const struct stat &st, QByteArray &temp)
{
    const struct timespec times[2] = {st.st_atim, st.st_mtim};
    return m_state.attempt(src.path, [&] {
        QByteArray link;
        const int code = readLink(src.folder, src.name, st.st_size, link);
        if (code != 0)
            return code;
        return posix::underTemporaryName(temp, [&](const char *name) {
            if (::symlinkat(link.constData(), dst.folder, name) != 0)
                return false;
            ::utimensat(dst.folder, name, times, AT_SYMLINK_NOFOLLOW);
            return true;
        });
    });
}

// Devices, pipes and sockets are made anew, as cp -a does.
Outcome LeafCopy::makeSpecial(const Place &dst, const struct stat &st, QByteArray &temp)
{
    const struct timespec times[2] = {st.st_atim, st.st_mtim};
    const mode_t mode = copyMode(st, m_state.user, m_state.group);
    return m_state.attempt(dst.path, [&] {
        return posix::underTemporaryName(temp, [&](const char *name) {
            if (::mknodat(dst.folder, name, (st.st_mode & S_IFMT) | mode, st.st_rdev) != 0)
                return false;
            ::fchmodat(dst.folder, name, mode, 0);
            ::utimensat(dst.folder, name, times, AT_SYMLINK_NOFOLLOW);
            return true;
        });
    });
}

// Copies a file's content, keeping the holes of a sparse file; 0, an errno,
// or ECANCELED when stopped.
int LeafCopy::copyData(int in, int out, const struct stat &st, bool allocateAhead, qint64 &copied)
{
    bool range = true;
    // Files of /proc and /sys report no blocks, size 0 or a page whatever they
    // hold: such a size is not to be trusted, so the file is read to its end.
    static const off_t page = ::sysconf(_SC_PAGESIZE);
    if (st.st_blocks == 0 || st.st_size == 0 || st.st_size == page) {
        range = false;
        return copyRange(in, out, nullptr, -1, range, copied);
    }
    // A size to trust is copied exactly, without a last call to meet the end;
    // a file that grows meanwhile is copied as it was looked at (and then
    // found changed).
    if (st.st_blocks * 512 >= st.st_size) {
        // The size stays as copied: a file that shrinks meanwhile must not
        // gain zeros at its end.
        bool allocated = false;
        if (allocateAhead && st.st_size >= kAllocateAheadFrom) {
            allocated = ::fallocate(out, FALLOC_FL_KEEP_SIZE, 0, st.st_size) == 0;
            if (!allocated && (errno == ENOSPC || errno == EDQUOT || errno == EFBIG))
                return errno; // it would not fit: said before a byte is written
        }
        const int code = copyRange(in, out, nullptr, st.st_size, range, copied);
        if (code == 0 && allocated && copied < st.st_size && ::ftruncate(out, copied) != 0)
            return errno; // what was allocated past the end is given back
        return code;
    }
    off_t position = 0;
    for (;;) {
        const off_t data = ::lseek(in, position, SEEK_DATA);
        if (data < 0) {
            if (errno == ENXIO)
                break; // only a hole is left
            if (errno == EINVAL && position == 0)
                return copyRange(in, out, nullptr, -1, range, copied); // no hole lookup here
            return errno;
        }
        const off_t hole = ::lseek(in, data, SEEK_HOLE);
        if (hole < 0)
            return errno;
        off_t at = data;
        const int code = copyRange(in, out, &at, hole - data, range, copied);
        if (code != 0)
            return code;
        position = hole;
    }
    const off_t size = ::lseek(in, 0, SEEK_END);
    if (size < 0)
        return errno;
    return ::ftruncate(out, std::max<off_t>(size, position)) == 0 ? 0 : errno;
}

// Copies length bytes at *offset in both files (or, without an offset, from
// the current positions to the end of the input), by copy_file_range where the
// file systems allow it, otherwise through a large buffer.
int LeafCopy::copyRange(int in, int out, off_t *offset, qint64 length, bool &range, qint64 &copied)
{
    while (length != 0) {
        if (m_state.cancelled())
            return ECANCELED;
        qint64 chunk = length > 0 ? std::min(length, kRangeChunk) : kRangeChunk;
        const qint64 limit = m_state.cancelAfter;
        if (limit >= 0 && limit - m_state.bytesDone > 0 && limit - m_state.bytesDone < chunk)
            chunk = limit - m_state.bytesDone; // so that Cancel is pressed exactly at the given byte
        ssize_t n;
        if (range) {
            loff_t inAt = offset ? *offset : 0, outAt = inAt;
            n = ::copy_file_range(in, offset ? &inAt : nullptr, out, offset ? &outAt : nullptr, size_t(chunk), 0);
            if (n < 0 && (errno == EXDEV || errno == ENOSYS || errno == EINVAL || errno == EOPNOTSUPP)) {
                range = false;
                continue;
            }
        } else {
            if (m_buffer.empty())
                m_buffer.resize(kBufferSize);
            const size_t want = size_t(std::min<qint64>(chunk, qint64(m_buffer.size())));
            n = offset ? ::pread(in, m_buffer.data(), want, *offset) : ::read(in, m_buffer.data(), want);
            for (ssize_t written = 0; n > 0 && written < n;) {
                const ssize_t w = offset
                                      ? ::pwrite(out, m_buffer.data() + written, size_t(n - written), *offset + written)
                                      : ::write(out, m_buffer.data() + written, size_t(n - written));
                if (w < 0 && errno != EINTR)
                    return errno;
                if (w == 0)
                    return EIO;
                written += std::max<ssize_t>(w, 0);
            }
        }
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        if (n == 0)
            return 0; // the end of the input
        if (offset)
            *offset += n;
        if (length > 0)
            length -= n;
        copied += n;
        m_state.addBytes(n);
    }
    return 0;
}

// Renames the whole temporary item to its final name; removes it on every failure.
Outcome LeafCopy::commit(const QByteArray &temp, Place &dst, bool replace)
{
    using Choice = OperationState::Choice;
    for (;;) {
        const int code =
            replace
                ? renameOver(m_state, dst.folder, temp, dst)
                : (renameNoReplace(dst.folder, temp.constData(), dst.folder, dst.name.constData()) == 0 ? 0 : errno);
        if (code == 0)
            return Outcome::Done;
        Choice choice = Choice::Retry;
        struct stat existing;
        if (code != EEXIST || replace) {
            choice = m_state.ask(dst.path, code);
        } else if (m_state.flags & FOF_RENAMEONCOLLISION) {
            // Something took the final name while the copy was written.
            const int named = m_state.freeName(dst, false);
            if (named == 0)
                continue;
            choice = m_state.ask(dst.path, named);
        } else if (::fstatat(dst.folder, dst.name.constData(), &existing, AT_SYMLINK_NOFOLLOW) == 0 &&
                   S_ISDIR(existing.st_mode)) {
            choice = m_state.ask(dst.path, EISDIR);
        } else {
            const Outcome answer = m_state.askReplace(dst.path, dst.path);
            if (answer == Outcome::Done) {
                replace = true;
                continue;
            }
            choice = answer == Outcome::Skipped ? Choice::Skip : Choice::Cancel;
        }
        if (choice == Choice::Retry)
            continue;
        ::unlinkat(dst.folder, temp.constData(), 0);
        return OperationState::outcomeOf(choice);
    }
}

// Deletes the source of a move whose copy has its name, if the name still
// is the file that was copied; a source replaced or written meanwhile is kept
// and reported. A Cancel pressed meanwhile does not stop this last step: the
// item would be left in both places.
Outcome LeafCopy::removeMovedSource(const Place &src, const struct stat &copied)
{
    for (;;) {
        struct stat now;
        OperationState::Choice choice;
        if (::fstatat(src.folder, src.name.constData(), &now, AT_SYMLINK_NOFOLLOW) != 0)
            choice = m_state.ask(src.path, errno);
        else if (!unchangedSince(copied, now))
            choice = m_state.ask(src.path, changedText(), EBUSY);
        else if (::unlinkat(src.folder, src.name.constData(), 0) == 0)
            return Outcome::Done;
        else
            choice = m_state.ask(src.path, errno);
        if (choice != OperationState::Choice::Retry)
            return OperationState::outcomeOf(choice);
    }
}

} // namespace quil::fileop
