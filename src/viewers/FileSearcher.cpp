#include "viewers/FileSearcher.h"

#include "platform/CodePages.h"
#include "platform/NativePath.h"
#include "platform/OsError.h"
#include "platform/PosixIo.h"
#include "viewers/ViewedFile.h"

#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace quil {

namespace {

QByteArray folded(QByteArrayView text)
{
    QByteArray out(text.data(), text.size());
    for (char &c : out)
        c = static_cast<char>(codepage::viewerFold(static_cast<unsigned char>(c)));
    return out;
}

class ReadOnlyFile
{
public:
    explicit ReadOnlyFile(const QString &path) : m_fd(openViewedFile(path))
    {
        ::posix_fadvise(m_fd.get(), 0, 0, POSIX_FADV_SEQUENTIAL);
    }

    // Reads up to count bytes at offset; fewer only at the end of the file.
    size_t read(unsigned char *into, size_t count, qint64 offset)
    {
        const ssize_t done = posix::preadFull(m_fd.get(), into, count, static_cast<off_t>(offset));
        if (done < 0)
            throw OsError::last();
        return size_t(done);
    }

private:
    UniqueFd m_fd;
};

// The search text in its two case forms, byte by byte.
struct Pattern
{
    std::vector<unsigned char> lower;
    std::vector<unsigned char> upper;

    bool matchesAt(const unsigned char *at) const
    {
        for (size_t j = 1; j < lower.size(); ++j) {
            if (at[j] != lower[j] && at[j] != upper[j])
                return false;
        }
        return true;
    }
};

Pattern makePattern(QByteArrayView text, ViewerCodePage codePage)
{
    Pattern pattern;
    pattern.lower.reserve(text.size());
    pattern.upper.reserve(text.size());
    for (const char c : text) {
        unsigned char lo = codepage::ansiLower(static_cast<unsigned char>(c));
        unsigned char up = codepage::ansiUpper(static_cast<unsigned char>(c));
        if (codePage == ViewerCodePage::Dos) {
            lo = codepage::ansiToDos(lo);
            up = codepage::ansiToDos(up);
        }
        pattern.lower.push_back(lo);
        pattern.upper.push_back(up);
    }
    return pattern;
}

// The first index i in [0, last] where the pattern matches buffer + i, or -1.
// Candidates are the places where both the first and the last byte match one
// of their forms; only those are compared in full.
qint64 scan(const unsigned char *buffer, size_t last, const Pattern &pattern)
{
    const size_t tail = pattern.lower.size() - 1;
    const unsigned char f1 = pattern.lower.front(), f2 = pattern.upper.front();
    const unsigned char e1 = pattern.lower.back(), e2 = pattern.upper.back();
    size_t i = 0;
#if defined(__SSE2__)
    const __m128i F1 = _mm_set1_epi8(static_cast<char>(f1)), F2 = _mm_set1_epi8(static_cast<char>(f2));
    const __m128i E1 = _mm_set1_epi8(static_cast<char>(e1)), E2 = _mm_set1_epi8(static_cast<char>(e2));
    for (; i + 16 <= last + 1; i += 16) {
        const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i *>(buffer + i));
        const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i *>(buffer + i + tail));
        const __m128i first = _mm_or_si128(_mm_cmpeq_epi8(a, F1), _mm_cmpeq_epi8(a, F2));
        const __m128i end = _mm_or_si128(_mm_cmpeq_epi8(b, E1), _mm_cmpeq_epi8(b, E2));
        unsigned mask = static_cast<unsigned>(_mm_movemask_epi8(_mm_and_si128(first, end)));
        while (mask != 0) {
            const size_t at = i + static_cast<size_t>(__builtin_ctz(mask));
            if (pattern.matchesAt(buffer + at))
                return static_cast<qint64>(at);
            mask &= mask - 1;
        }
    }
#endif
    for (; i <= last; ++i) {
        const unsigned char b = buffer[i];
        if ((b == f1 || b == f2) && (buffer[i + tail] == e1 || buffer[i + tail] == e2) && pattern.matchesAt(buffer + i))
            return static_cast<qint64>(i);
    }
    return -1;
}

} // namespace

FileSearcher::TextHit FileSearcher::findInText(const QByteArrayList &lines, qsizetype caretLine, qsizetype caretColumn,
                                               QByteArrayView text)
{
    TextHit hit;
    if (text.isEmpty() || caretLine < 0)
        return hit;
    const QByteArray needle = folded(text);
    // One index past the last line reads as an empty line, which never holds a
    // non-empty text, so the loop may stop at the last line.
    for (qsizetype y = caretLine; y < lines.size(); ++y) {
        const qsizetype from = (y == caretLine) ? std::clamp<qsizetype>(caretColumn, 0, lines[y].size()) : 0;
        const QByteArray taken = folded(QByteArrayView(lines[y]).sliced(from));
        const qsizetype at = taken.indexOf(needle);
        if (at >= 0) {
            hit.found = true;
            hit.line = y;
            hit.column = from + at;
            hit.length = text.size();
            return hit;
        }
    }
    return hit;
}

qint64 FileSearcher::findInFile(const QString &path, QByteArrayView text, qint64 start, ViewerCodePage codePage,
                                const std::function<void()> &pending)
{
    if (path.isEmpty() || text.isEmpty())
        return -1;
    struct stat info
    {
    };
    if (::stat(toNative(path).constData(), &info) != 0)
        return -1;
    const qint64 size = static_cast<qint64>(info.st_size);
    if (size == 0)
        return -1;
    const Pattern pattern = makePattern(text, codePage);
    const size_t length = pattern.lower.size();
    start = std::max<qint64>(0, start);
    if (start >= size)
        return -1;

    ReadOnlyFile file(path);
    // Reads far larger than the old 8192-byte blocks, overlapping by the text's
    // length less one byte: every window of the text's length that begins at or
    // after start is examined exactly once, which is what the overlapping
    // blocks gave, and a text of any length fits.
    constexpr size_t kChunk = size_t(1) << 20;
    const size_t keep = length - 1;
    std::vector<unsigned char> buffer(keep + kChunk);
    size_t held = 0; // bytes kept from the previous read at buffer[0]
    qint64 position = start;
    qint64 sinceYield = 0;
    while (position < size) {
        const size_t want = static_cast<size_t>(std::min<qint64>(kChunk, size - position));
        const size_t got = file.read(buffer.data() + held, want, position);
        const size_t filled = held + got;
        const qint64 bufferStart = position - static_cast<qint64>(held);
        if (filled >= length) {
            const qint64 at = scan(buffer.data(), filled - length, pattern);
            if (at >= 0)
                return bufferStart + at;
        }
        if (got < want)
            break; // the file became shorter since its size was taken
        position += static_cast<qint64>(got);
        held = std::min(keep, filled);
        std::memmove(buffer.data(), buffer.data() + filled - held, held);
        sinceYield += static_cast<qint64>(got);
        for (; sinceYield >= kYieldBytes; sinceYield -= kYieldBytes) {
            if (pending)
                pending();
        }
    }
    return -1;
}

} // namespace quil
