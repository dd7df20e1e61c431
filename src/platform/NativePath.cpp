#include "platform/NativePath.h"

namespace quil {

namespace {

constexpr char16_t kEscapeBase = 0xDC00;

bool isAscii(QByteArrayView bytes)
{
    for (char c : bytes)
        if (static_cast<unsigned char>(c) >= 0x80)
            return false;
    return true;
}

// Length of the valid UTF-8 sequence at p (1 to 4), or 0 when invalid.
int validSequence(const unsigned char *p, qsizetype left, char32_t &code)
{
    const unsigned char b0 = p[0];
    int length;
    char32_t min;
    if (b0 < 0x80) {
        code = b0;
        return 1;
    } else if (b0 >= 0xC2 && b0 <= 0xDF) {
        length = 2;
        code = b0 & 0x1F;
        min = 0x80;
    } else if (b0 >= 0xE0 && b0 <= 0xEF) {
        length = 3;
        code = b0 & 0x0F;
        min = 0x800;
    } else if (b0 >= 0xF0 && b0 <= 0xF4) {
        length = 4;
        code = b0 & 0x07;
        min = 0x10000;
    } else {
        return 0;
    }
    if (left < length)
        return 0;
    for (int i = 1; i < length; ++i) {
        if ((p[i] & 0xC0) != 0x80)
            return 0;
        code = (code << 6) | (p[i] & 0x3F);
    }
    if (code < min || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
        return 0;
    return length;
}

} // namespace

QString fromNative(QByteArrayView bytes)
{
    if (isAscii(bytes))
        return QString::fromLatin1(bytes.data(), bytes.size());
    QString text;
    text.reserve(bytes.size());
    const auto *p = reinterpret_cast<const unsigned char *>(bytes.data());
    const qsizetype size = bytes.size();
    for (qsizetype i = 0; i < size;) {
        char32_t code = 0;
        const int length = validSequence(p + i, size - i, code);
        if (length == 0) {
            text.append(QChar(char16_t(kEscapeBase + p[i])));
            ++i;
            continue;
        }
        if (code >= 0x10000) {
            text.append(QChar::highSurrogate(code));
            text.append(QChar::lowSurrogate(code));
        } else {
            text.append(QChar(char16_t(code)));
        }
        i += length;
    }
    return text;
}

QByteArray toNative(QStringView path)
{
    QByteArray bytes;
    bytes.reserve(path.size());
    const qsizetype size = path.size();
    for (qsizetype i = 0; i < size; ++i) {
        char32_t code = path[i].unicode();
        if (code >= 0xDC80 && code <= 0xDCFF) {
            bytes.append(static_cast<char>(code - kEscapeBase));
            continue;
        }
        if (QChar::isHighSurrogate(code) && i + 1 < size && path[i + 1].isLowSurrogate()) {
            code = QChar::surrogateToUcs4(char16_t(code), path[i + 1].unicode());
            ++i;
        } else if (QChar::isSurrogate(code)) {
            code = 0xFFFD; // a lone surrogate that no name can hold
        }
        if (code < 0x80) {
            bytes.append(static_cast<char>(code));
        } else if (code < 0x800) {
            bytes.append(static_cast<char>(0xC0 | (code >> 6)));
            bytes.append(static_cast<char>(0x80 | (code & 0x3F)));
        } else if (code < 0x10000) {
            bytes.append(static_cast<char>(0xE0 | (code >> 12)));
            bytes.append(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
            bytes.append(static_cast<char>(0x80 | (code & 0x3F)));
        } else {
            bytes.append(static_cast<char>(0xF0 | (code >> 18)));
            bytes.append(static_cast<char>(0x80 | ((code >> 12) & 0x3F)));
            bytes.append(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
            bytes.append(static_cast<char>(0x80 | (code & 0x3F)));
        }
    }
    return bytes;
}

bool hasEscapedBytes(QStringView path)
{
    for (QChar c : path)
        if (c.unicode() >= 0xDC80 && c.unicode() <= 0xDCFF)
            return true;
    return false;
}

} // namespace quil
