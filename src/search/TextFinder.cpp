#include "search/TextFinder.h"

#include "platform/CodePages.h"
#include "platform/NativePath.h"
#include "platform/PosixIo.h"

#include <QList>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <emmintrin.h>
#include <fcntl.h>
#include <immintrin.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quil {

namespace {

constexpr size_t kChunk = 128 * 1024;
constexpr qint64 kBlock = 8192;
constexpr qint64 kBlocksBetweenMessages = 101;

// A rough guess of how often a byte appears in files, per mille of the bytes
// of typical text; the prefilter tests the rarest bytes of a text.
int byteFrequency(unsigned char b)
{
    if (b == ' ')
        return 150;
    if (b == 0xD0 || b == 0xD1)
        return 200; // lead bytes of Cyrillic letters in UTF-8
    if (b == 0)
        return 50;
    if (b >= 'a' && b <= 'z')
        return std::strchr("etaoinsrhl", b) ? 60 : 15;
    if (b == '\n' || b == '\r' || b == '\t')
        return 20;
    if (b >= 0xE0)
        return 25; // small Cyrillic letters in Windows-1251
    if (b >= 0x80 && b < 0xC0)
        return 12; // UTF-8 continuation bytes
    if (b >= '0' && b <= '9')
        return 6;
    if (b >= 'A' && b <= 'Z')
        return 4;
    if (b < 0x20)
        return 1;
    return 4;
}

int encodeUtf8(char32_t code, unsigned char *out)
{
    if (code < 0x80) {
        out[0] = static_cast<unsigned char>(code);
        return 1;
    }
    if (code < 0x800) {
        out[0] = static_cast<unsigned char>(0xC0 | (code >> 6));
        out[1] = static_cast<unsigned char>(0x80 | (code & 0x3F));
        return 2;
    }
    if (code < 0x10000) {
        out[0] = static_cast<unsigned char>(0xE0 | (code >> 12));
        out[1] = static_cast<unsigned char>(0x80 | ((code >> 6) & 0x3F));
        out[2] = static_cast<unsigned char>(0x80 | (code & 0x3F));
        return 3;
    }
    out[0] = static_cast<unsigned char>(0xF0 | (code >> 18));
    out[1] = static_cast<unsigned char>(0x80 | ((code >> 12) & 0x3F));
    out[2] = static_cast<unsigned char>(0x80 | ((code >> 6) & 0x3F));
    out[3] = static_cast<unsigned char>(0x80 | (code & 0x3F));
    return 4;
}

bool isAscii(const QString &text)
{
    for (QChar c : text)
        if (c.unicode() >= 0x80)
            return false;
    return true;
}

// The prefilter 32 candidates at a time where the processor has AVX2; p
// moves on to the first start not yet tested.
template <typename Verify>
__attribute__((target("avx2"))) qint64 prefilterWide(const unsigned char *buffer, size_t size, size_t &p, size_t k1,
                                                     size_t k2, const unsigned char (&bytes)[4], size_t last,
                                                     const Verify &verify)
{
    const size_t reach = std::max(k1, k2) + 32;
    const __m256i a1 = _mm256_set1_epi8(static_cast<char>(bytes[0]));
    const __m256i b1 = _mm256_set1_epi8(static_cast<char>(bytes[1]));
    const __m256i a2 = _mm256_set1_epi8(static_cast<char>(bytes[2]));
    const __m256i b2 = _mm256_set1_epi8(static_cast<char>(bytes[3]));
    for (; p + reach <= size && p <= last; p += 32) {
        const __m256i v1 = _mm256_loadu_si256(reinterpret_cast<const __m256i *>(buffer + p + k1));
        const __m256i v2 = _mm256_loadu_si256(reinterpret_cast<const __m256i *>(buffer + p + k2));
        const __m256i m1 = _mm256_or_si256(_mm256_cmpeq_epi8(v1, a1), _mm256_cmpeq_epi8(v1, b1));
        const __m256i m2 = _mm256_or_si256(_mm256_cmpeq_epi8(v2, a2), _mm256_cmpeq_epi8(v2, b2));
        unsigned mask = unsigned(_mm256_movemask_epi8(_mm256_and_si256(m1, m2)));
        while (mask) {
            const size_t at = p + size_t(__builtin_ctz(mask));
            if (at <= last && verify(at))
                return qint64(at);
            mask &= mask - 1;
        }
    }
    return -1;
}

const bool kHasAvx2 = __builtin_cpu_supports("avx2");

} // namespace

TextFinder::TextFinder(const QString &text, Forms forms)
{
    const bool dos = forms == Forms::Dos;
    if (text.isEmpty())
        return;
    const QByteArray ansi = codepage::toCp1251(text);
    // Windows-1251 lacks some characters of the text: no 8-bit form can hold it.
    const bool ansiHoldsText = codepage::fromCp1251(ansi) == text;
    if (ansiHoldsText) {
        QByteArray upper(ansi.size(), Qt::Uninitialized), lower(ansi.size(), Qt::Uninitialized);
        for (qsizetype i = 0; i < ansi.size(); ++i) {
            const auto b = static_cast<unsigned char>(ansi[i]);
            upper[i] = static_cast<char>(codepage::ansiUpper(b));
            lower[i] = static_cast<char>(codepage::ansiLower(b));
        }
        if (dos) {
            upper = AnsiToDos(upper);
            lower = AnsiToDos(lower);
        }
        m_forms.push_back(byteForm(upper, lower));
    }
    // An ASCII text reads the same in UTF-8 and Windows-1251.
    if (forms == Forms::AnsiAndUtf8 && !isAscii(text))
        m_forms.push_back(utf8Form(text));
    size_t longest = 0;
    for (Form &form : m_forms) {
        choosePrefilter(form);
        longest = std::max(longest, form.maxLength);
    }
    m_carry = longest > 0 ? longest - 1 : 0;
}

TextFinder::Form TextFinder::byteForm(const QByteArray &upper, const QByteArray &lower)
{
    Form form;
    form.singleBytes = true;
    form.upper.assign(upper.begin(), upper.end());
    form.lower.assign(lower.begin(), lower.end());
    form.minLength = form.maxLength = size_t(upper.size());
    for (size_t i = 0; i < form.upper.size(); ++i) {
        Unit unit;
        unit.count = form.upper[i] == form.lower[i] ? 1 : 2;
        unit.variants[0] = {1, {form.upper[i]}};
        unit.variants[1] = {1, {form.lower[i]}};
        form.units.push_back(unit);
    }
    return form;
}

TextFinder::Form TextFinder::utf8Form(const QString &text)
{
    Form form;
    form.singleBytes = false;
    for (char32_t code : text.toUcs4()) {
        Unit unit;
        // The upper and lower forms, and the character itself when it is
        // neither (title-case letters such as U+01C5).
        const char32_t forms[3] = {QChar::toUpper(code), QChar::toLower(code), code};
        size_t shortest = 4, longest = 0;
        for (char32_t c : forms) {
            Variant v;
            v.length = static_cast<unsigned char>(encodeUtf8(c, v.bytes));
            bool seen = false;
            for (int i = 0; i < unit.count; ++i)
                seen = seen ||
                       (unit.variants[i].length == v.length && !std::memcmp(unit.variants[i].bytes, v.bytes, v.length));
            if (seen)
                continue;
            unit.variants[unit.count++] = v;
            shortest = std::min<size_t>(shortest, v.length);
            longest = std::max<size_t>(longest, v.length);
        }
        form.minLength += shortest;
        form.maxLength += longest;
        form.units.push_back(unit);
    }
    return form;
}

void TextFinder::choosePrefilter(Form &form)
{
    // Byte offsets that every occurrence shares: those of the leading
    // characters whose variants are all of one length.
    struct Offset
    {
        size_t k;
        unsigned char a, b;
        int cost;
    };
    std::vector<Offset> offsets;
    size_t k = 0;
    for (const Unit &unit : form.units) {
        const unsigned char length = unit.variants[0].length;
        bool sameLength = true;
        for (int i = 1; i < unit.count; ++i)
            sameLength = sameLength && unit.variants[i].length == length;
        if (!sameLength || k >= 256)
            break;
        for (unsigned char j = 0; j < length; ++j, ++k) {
            unsigned char distinct[3] = {};
            int count = 0;
            for (int i = 0; i < unit.count; ++i) {
                const unsigned char b = unit.variants[i].bytes[j];
                if (std::find(distinct, distinct + count, b) == distinct + count)
                    distinct[count++] = b;
            }
            if (count > 2)
                continue;
            const unsigned char a = distinct[0], b = count == 2 ? distinct[1] : distinct[0];
            offsets.push_back({k, a, b, byteFrequency(a) + (a == b ? 0 : byteFrequency(b))});
        }
    }
    if (!form.units.empty())
        for (int i = 0; i < form.units.front().count; ++i)
            form.firstBytes[form.units.front().variants[i].bytes[0]] = true;
    if (offsets.empty())
        return;
    std::stable_sort(offsets.begin(), offsets.end(), [](const Offset &x, const Offset &y) { return x.cost < y.cost; });
    form.filter = true;
    form.k1 = offsets[0].k;
    form.a1 = offsets[0].a;
    form.b1 = offsets[0].b;
    // The last byte, where every occurrence has it at one offset, is the
    // second test: a long text of one repeated letter then costs no full
    // comparison at each place of a run of that letter.
    size_t total = 0;
    bool fixedLength = !form.units.empty();
    for (const Unit &unit : form.units) {
        for (int i = 1; i < unit.count; ++i)
            fixedLength = fixedLength && unit.variants[i].length == unit.variants[0].length;
        total += unit.variants[0].length;
    }
    if (fixedLength && total > 256) {
        const Unit &tail = form.units.back();
        const unsigned char lastA = tail.variants[0].bytes[tail.variants[0].length - 1];
        unsigned char lastB = lastA;
        bool twoAtMost = true;
        for (int i = 1; i < tail.count; ++i) {
            const unsigned char b = tail.variants[i].bytes[tail.variants[i].length - 1];
            if (b != lastA && b != lastB) {
                twoAtMost = twoAtMost && lastB == lastA;
                lastB = b;
            }
        }
        if (twoAtMost) {
            offsets.insert(offsets.begin() + 1, Offset{total - 1, lastA, lastB, 0});
        }
    }
    const Offset &second = offsets.size() > 1 ? offsets[1] : offsets[0];
    form.k2 = second.k;
    form.a2 = second.a;
    form.b2 = second.b;
}

bool TextFinder::verify(const Form &form, const unsigned char *p, size_t available)
{
    if (form.singleBytes) {
        const size_t length = form.upper.size();
        if (available < length)
            return false;
        const unsigned char *upper = form.upper.data();
        const unsigned char *lower = form.lower.data();
        for (size_t i = 0; i < length; ++i)
            if (p[i] != upper[i] && p[i] != lower[i])
                return false;
        return true;
    }
    // UTF-8 is prefix-free: at most one variant of a character can match here.
    size_t at = 0;
    for (const Unit &unit : form.units) {
        bool matched = false;
        for (int i = 0; i < unit.count && !matched; ++i) {
            const Variant &v = unit.variants[i];
            if (available - at >= v.length && std::memcmp(p + at, v.bytes, v.length) == 0) {
                at += v.length;
                matched = true;
            }
        }
        if (!matched)
            return false;
    }
    return true;
}

qint64 TextFinder::scan(const Form &form, const unsigned char *buffer, size_t size, size_t last)
{
    if (size < form.minLength)
        return -1;
    last = std::min(last, size - form.minLength); // the last start an occurrence can have
    size_t p = 0;
    if (form.filter) {
        const auto verifyAt = [&](size_t at) { return verify(form, buffer + at, size - at); };
        const unsigned char bytes[4] = {form.a1, form.b1, form.a2, form.b2};
        if (kHasAvx2) {
            const qint64 at = prefilterWide(buffer, size, p, form.k1, form.k2, bytes, last, verifyAt);
            if (at >= 0)
                return at;
        }
        const size_t reach = std::max(form.k1, form.k2) + 16;
        const __m128i a1 = _mm_set1_epi8(static_cast<char>(form.a1));
        const __m128i b1 = _mm_set1_epi8(static_cast<char>(form.b1));
        const __m128i a2 = _mm_set1_epi8(static_cast<char>(form.a2));
        const __m128i b2 = _mm_set1_epi8(static_cast<char>(form.b2));
        for (; p + reach <= size && p <= last; p += 16) {
            const __m128i v1 = _mm_loadu_si128(reinterpret_cast<const __m128i *>(buffer + p + form.k1));
            const __m128i v2 = _mm_loadu_si128(reinterpret_cast<const __m128i *>(buffer + p + form.k2));
            const __m128i m1 = _mm_or_si128(_mm_cmpeq_epi8(v1, a1), _mm_cmpeq_epi8(v1, b1));
            const __m128i m2 = _mm_or_si128(_mm_cmpeq_epi8(v2, a2), _mm_cmpeq_epi8(v2, b2));
            unsigned mask = unsigned(_mm_movemask_epi8(_mm_and_si128(m1, m2)));
            while (mask) {
                const size_t at = p + size_t(__builtin_ctz(mask));
                if (at <= last && verify(form, buffer + at, size - at))
                    return qint64(at);
                mask &= mask - 1;
            }
        }
        for (; p <= last; ++p) {
            const unsigned char c1 = buffer[p + form.k1], c2 = buffer[p + form.k2];
            if ((c1 == form.a1 || c1 == form.b1) && (c2 == form.a2 || c2 == form.b2) &&
                verify(form, buffer + p, size - p))
                return qint64(p);
        }
        return -1;
    }
    for (; p <= last; ++p)
        if (form.firstBytes[buffer[p]] && verify(form, buffer + p, size - p))
            return qint64(p);
    return -1;
}

bool TextFinder::occursIn(QByteArrayView bytes) const
{
    const auto *data = reinterpret_cast<const unsigned char *>(bytes.data());
    for (const Form &form : m_forms)
        if (scan(form, data, size_t(bytes.size()), size_t(bytes.size())) >= 0)
            return true;
    return false;
}

qint64 TextFinder::firstIn(QByteArrayView bytes, qint64 lastStart) const
{
    if (lastStart < 0)
        return -1;
    const auto *data = reinterpret_cast<const unsigned char *>(bytes.data());
    qint64 first = -1;
    for (const Form &form : m_forms) {
        // A later form need only be looked for before the first hit so far.
        const qint64 last = first >= 0 ? first - 1 : lastStart;
        if (last < 0)
            break;
        const qint64 at = scan(form, data, size_t(bytes.size()), size_t(last));
        if (at >= 0)
            first = at;
    }
    return first;
}

bool TextFinder::readAndScan(int fd, qint64 size, qint64 start)
{
    if (start < 0)
        start = 0;
    if (start > 0 && ::lseek(fd, start, SEEK_SET) != start)
        return false;
    if (m_buffer.empty())
        m_buffer.resize(m_carry + std::max(kChunk, m_carry + 1));
    const size_t chunk = m_buffer.size() - m_carry;
    unsigned char *data = m_buffer.data();
    size_t kept = 0;
    qint64 position = start;
    qint64 sinceMessages = 0;
    while (position < size) {
        if (m_stop.stop_requested())
            return false;
        const size_t want = size_t(std::min<qint64>(qint64(chunk), size - position));
        const ssize_t n = posix::readFull(fd, data + kept, want);
        if (n <= 0)
            return false; // a read error, or the file shrank
        const size_t got = size_t(n);
        position += qint64(got);
        const size_t filled = kept + got;
        // Messages once every 101 blocks of 8192 bytes read, however big the chunks.
        sinceMessages += qint64(got);
        while (sinceMessages >= kBlocksBetweenMessages * kBlock) {
            sinceMessages -= kBlocksBetweenMessages * kBlock;
            if (m_pending)
                m_pending();
        }
        for (const Form &form : m_forms)
            if (scan(form, data, filled, filled) >= 0)
                return true;
        // Keep the tail that could begin an occurrence that runs on into the next chunk.
        kept = std::min(filled, m_carry);
        std::memmove(data, data + filled - kept, kept);
        if (got < want)
            return false;
    }
    return false;
}

bool TextFinder::matchesEntry(int dirFd, const char *name, DirectoryReader::Type type, qint64 start)
{
    if (m_forms.empty())
        return false;
    int flags = O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK;
    if (type == DirectoryReader::Type::File) {
        flags |= O_NOFOLLOW;
    } else if (type == DirectoryReader::Type::Link) {
        struct stat st;
        if (::fstatat(dirFd, name, &st, 0) != 0 || !S_ISREG(st.st_mode))
            return false;
    } else {
        return false; // folders never pass; special files are never opened
    }
    const int fd = ::openat(dirFd, name, flags);
    if (fd < 0)
        return false;
    struct stat st;
    // The entry may have been replaced since it was listed.
    const bool found =
        ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && st.st_size > 0 && readAndScan(fd, st.st_size, start);
    ::close(fd);
    return found;
}

bool TextFinder::matchesFile(const QString &path, qint64 start)
{
    if (path.isEmpty() || m_forms.empty())
        return false;
    const QByteArray native = toNative(path);
    struct stat st;
    if (::stat(native.constData(), &st) != 0 || !S_ISREG(st.st_mode))
        return false;
    return matchesEntry(AT_FDCWD, native.constData(), DirectoryReader::Type::Link, start);
}

QByteArray AnsiToDos(QByteArrayView text)
{
    return codepage::ansiToDos(text);
}

bool FindTextInFile(const QString &path, const QString &text, qint64 start, bool dos)
{
    TextFinder finder(text, dos);
    return finder.matchesFile(path, start);
}

} // namespace quil
