#include "viewers/FileSearcher.h"

#include "platform/CodePages.h"
#include "search/TextFinder.h"
#include "viewers/ViewedFile.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace quil {

FileSearcher::TextHit FileSearcher::findInText(const QStringList &lines, qsizetype caretLine, qsizetype caretColumn,
                                               const QString &text)
{
    TextHit hit;
    if (text.isEmpty() || caretLine < 0)
        return hit;
    const QString needle = codepage::viewerFolded(text);
    // One index past the last line reads as an empty line, which never holds a
    // non-empty text, so the loop may stop at the last line.
    for (qsizetype y = caretLine; y < lines.size(); ++y) {
        const qsizetype from = (y == caretLine) ? std::clamp<qsizetype>(caretColumn, 0, lines[y].size()) : 0;
        const QString taken = codepage::viewerFolded(QStringView(lines[y]).sliced(from));
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

qint64 FileSearcher::findInFile(const QString &path, const QString &text, qint64 start, ViewerCodePage codePage,
                                const std::function<void()> &pending)
{
    if (path.isEmpty() || text.isEmpty())
        return -1;
    // 0 also when the file cannot be examined.
    const qint64 size = ViewedFile::sizeOf(path);
    if (size == 0)
        return -1;
    // WIN is the system's text: UTF-8, and Windows-1251 for older files.
    const TextFinder finder(text, codePage == ViewerCodePage::Dos   ? TextFinder::Forms::Dos
                                  : codePage == ViewerCodePage::Win ? TextFinder::Forms::AnsiAndUtf8
                                                                    : TextFinder::Forms::Ansi);
    if (finder.isEmpty())
        return -1;
    const size_t length = finder.longestForm();
    start = std::max<qint64>(0, start);
    if (start >= size)
        return -1;

    ViewedFile file(path);
    file.readsInOrder();
    // Reads far larger than the old 8192-byte blocks, overlapping by the
    // longest form's length less one byte: every start at or after start is
    // decided exactly once, which is what the overlapping blocks gave, and a
    // text of any length fits.
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
        // Until the last read, a start within the kept tail is decided with the next read.
        const bool last = got < want || position + qint64(got) >= size;
        const qint64 lastStart = last ? qint64(filled) - 1 : qint64(filled) - qint64(length);
        const qint64 at = finder.firstIn(QByteArrayView(buffer.data(), qsizetype(filled)), lastStart);
        if (at >= 0)
            return bufferStart + at;
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
