#include "viewers/FileViewRenderer.h"

#include "platform/CodePages.h"

namespace quil {

namespace {

constexpr char16_t kSubstituteGlyph = 0x25BA; // what the old fixed font drew for 0x10
constexpr char kHexDigits[] = "0123456789ABCDEF";

unsigned char byteAt(QByteArrayView bytes, qsizetype i)
{
    return static_cast<unsigned char>(bytes[i]);
}

char cyrillicByte(unsigned char lo)
{
    return static_cast<char>((lo + 0xB0) & 0xFF);
}

// One character of a hex row's text column: a row must stay one line of the
// text area, so the bytes that would break or end it are substituted.
char rowSafe(char c)
{
    return (c == 0 || c == 10 || c == 13) ? FileViewRenderer::kSubstitute : c;
}

bool isContinuation(unsigned char b)
{
    return (b & 0xC0) == 0x80;
}

// The length of the valid UTF-8 sequence that begins at bytes[i], or 0 when
// none does there (a stray or bad byte, or a sequence the bytes cut short).
qsizetype utf8SequenceAt(QByteArrayView bytes, qsizetype i)
{
    const unsigned char lead = byteAt(bytes, i);
    if (lead < 0x80)
        return 1;
    qsizetype length = 0;
    unsigned char low = 0x80, high = 0xBF; // the range of the second byte
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        if (lead == 0xE0)
            low = 0xA0; // no overlong forms
        else if (lead == 0xED)
            high = 0x9F; // no surrogates
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        if (lead == 0xF0)
            low = 0x90;
        else if (lead == 0xF4)
            high = 0x8F; // nothing above U+10FFFF
    } else {
        return 0;
    }
    if (i + length > bytes.size())
        return 0;
    const unsigned char second = byteAt(bytes, i + 1);
    if (second < low || second > high)
        return 0;
    for (qsizetype k = 2; k < length; ++k) {
        if (!isContinuation(byteAt(bytes, i + k)))
            return 0;
    }
    return length;
}

void appendRowText(QByteArray &line, QByteArrayView row, ViewerCodePage codePage)
{
    if (codePage == ViewerCodePage::Ucode) {
        // An odd last byte forms no unit and is left out, as in the text decoding.
        for (qsizetype i = 0; i + 1 < row.size(); i += 2) {
            const unsigned char lo = byteAt(row, i);
            const unsigned char hi = byteAt(row, i + 1);
            if (hi == 0) {
                line.append(rowSafe(static_cast<char>(lo)));
            } else if (hi == 4) {
                line.append(rowSafe(cyrillicByte(lo)));
            } else {
                line.append(rowSafe(static_cast<char>(lo)));
                line.append(rowSafe(static_cast<char>(hi)));
            }
        }
        return;
    }
    QByteArray column;
    column.reserve(row.size());
    for (const char c : row)
        column.append((c == 9) ? FileViewRenderer::kSubstitute : rowSafe(c));
    line.append(codePage == ViewerCodePage::Dos ? codepage::oemToChar(column) : column);
}

} // namespace

QByteArray FileViewRenderer::wholeFileText(QByteArrayView bytes, ViewerCodePage codePage)
{
    if (codePage == ViewerCodePage::Ucode)
        return ucodeText(bytes);
    QByteArray text;
    text.reserve(bytes.size() + bytes.size() / 8);
    for (const char c : bytes) {
        if (c == 0) {
            text.append(kSubstitute);
        } else {
            text.append(c);
            if (c == '\t')
                text.append("    ", 4);
        }
    }
    return codePage == ViewerCodePage::Dos ? codepage::oemToChar(text) : text;
}

QByteArray FileViewRenderer::textPage(QByteArrayView bytes, ViewerCodePage codePage)
{
    if (codePage == ViewerCodePage::Ucode)
        return ucodeText(bytes);
    QByteArray text(bytes.data(), bytes.size());
    for (char &c : text) {
        if (c == 0 || c == 9)
            c = kSubstitute;
    }
    return codePage == ViewerCodePage::Dos ? codepage::oemToChar(text) : text;
}

QByteArray FileViewRenderer::hexPage(QByteArrayView bytes, qint64 offset, ViewerCodePage codePage)
{
    QByteArray text;
    const qsizetype rows = (bytes.size() + kRowBytes - 1) / kRowBytes;
    text.reserve(rows * 80);
    for (qsizetype row = 0; row < rows; ++row) {
        if (row > 0)
            text.append("\r\n", 2);
        const qsizetype first = row * kRowBytes;
        const QByteArrayView rowBytes = bytes.sliced(first, std::min<qsizetype>(kRowBytes, bytes.size() - first));
        text.append(offsetLabel(offset + first));
        text.append(": ", 2);
        for (qsizetype i = 0; i < kRowBytes; ++i) {
            if (i < rowBytes.size()) {
                const unsigned char b = byteAt(rowBytes, i);
                text.append(kHexDigits[b >> 4]);
                text.append(kHexDigits[b & 0xF]);
            } else {
                text.append("  ", 2);
            }
            text.append(i == 7 && i < rowBytes.size() ? '|' : ' ');
        }
        text.append("| ", 2);
        appendRowText(text, rowBytes, codePage);
    }
    return text;
}

QByteArray FileViewRenderer::ucodeText(QByteArrayView bytes)
{
    QByteArray text;
    text.reserve(bytes.size() / 2 + 16);
    bool afterCarriageReturn = false;
    for (qsizetype i = 0; i + 1 < bytes.size(); i += 2) {
        const unsigned char lo = byteAt(bytes, i);
        const unsigned char hi = byteAt(bytes, i + 1);
        const bool lineFeedOfPair = afterCarriageReturn && hi == 0 && lo == 10;
        afterCarriageReturn = hi == 0 && lo == 13;
        if (hi == 0) {
            if (lo == 0 || lineFeedOfPair) // the CR before it has already ended the line
                continue;
            if (lo == 13)
                text.append("\r\n", 2);
            else
                text.append(static_cast<char>(lo));
        } else if (hi == 4) {
            // U+0450 would give a 0 byte, which the text area cannot hold.
            if (lo != 0)
                text.append(lo == 0x50 ? kSubstitute : cyrillicByte(lo));
        } else {
            text.append((lo == 0 || lo == 9) ? kSubstitute : static_cast<char>(lo));
            text.append(hi == 9 ? kSubstitute : static_cast<char>(hi));
        }
    }
    return text;
}

QByteArray FileViewRenderer::offsetLabel(qint64 offset)
{
    QByteArray label = QByteArray::number(static_cast<qulonglong>(offset), 16).toUpper();
    if (label.size() < 8)
        label.prepend(QByteArray(8 - label.size(), '0'));
    return label;
}

QByteArrayList FileViewRenderer::splitLines(QByteArrayView text)
{
    QByteArrayList lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c != '\r' && c != '\n')
            continue;
        lines.append(text.sliced(start, i - start).toByteArray());
        if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
            ++i;
        start = i + 1;
    }
    lines.append(text.sliced(start).toByteArray());
    return lines;
}

QString FileViewRenderer::displayLine(QByteArrayView line, Encoding encoding)
{
    QString shown = encoding == Encoding::Utf8 ? QString::fromUtf8(line) : codepage::fromCp1251(line);
    for (QChar &c : shown) {
        const char16_t u = c.unicode();
        if (u == char16_t(kSubstitute) || u == 0x2028 || u == 0x2029)
            c = QChar(kSubstituteGlyph);
    }
    return shown;
}

QString FileViewRenderer::displayText(QByteArrayView text, Encoding encoding)
{
    const QByteArrayList lines = splitLines(text);
    QString shown;
    shown.reserve(text.size());
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (i > 0)
            shown.append(u'\n');
        shown.append(displayLine(lines[i], encoding));
    }
    return shown;
}

std::optional<FileViewRenderer::Span> FileViewRenderer::utf8Span(QByteArrayView bytes, qsizetype first, qsizetype last)
{
    qsizetype i = first;
    if (i < last && isContinuation(byteAt(bytes, i))) {
        // The tail of a character that begins at most three bytes before.
        qsizetype lead = i - 1;
        while (lead >= 0 && lead > first - 4 && isContinuation(byteAt(bytes, lead)))
            --lead;
        if (lead < 0 || lead <= first - 4)
            return std::nullopt;
        const qsizetype length = utf8SequenceAt(bytes, lead);
        if (length == 0 || lead + length <= first)
            return std::nullopt;
        i = lead + length;
    }
    const qsizetype begin = i;
    while (i < last) {
        const qsizetype length = utf8SequenceAt(bytes, i);
        if (length == 0)
            return std::nullopt;
        i += length;
    }
    return Span{begin, std::max(begin, i)};
}

} // namespace quil
