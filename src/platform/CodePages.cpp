#include "platform/CodePages.h"

#include <QChar>
#include <array>

namespace quil::codepage {

namespace {

#include "platform/CodePageTables.inc"

using ByteMap = std::array<unsigned char, 256>;

// Unicode (BMP) to byte for one table; 0 marks "not in the code page" except
// for U+0000 itself.
struct ReverseTable
{
    std::array<unsigned char, 65536> bytes{};
    std::array<bool, 65536> present{};

    explicit ReverseTable(const char16_t (&table)[256])
    {
        for (int b = 255; b >= 0; --b) {
            bytes[table[b]] = static_cast<unsigned char>(b);
            present[table[b]] = true;
        }
    }
};

const ReverseTable &reverse1251()
{
    static const ReverseTable table(kCp1251ToUnicode);
    return table;
}

const ReverseTable &reverse866()
{
    static const ReverseTable table(kCp866ToUnicode);
    return table;
}

unsigned char bestFit1251(char16_t c)
{
    switch (c) {
    case 0x2500: // ─
        return '-';
    case 0x2550: // ═
        return '=';
    case 0x2502: // │
    case 0x2551: // ║
        return '|';
    case 0x2219:     // ∙ bullet operator
        return 0xB7; // ·
    case 0x221A:     // √
        return 'v';
    default:
        break;
    }
    if (c >= 0x2591 && c <= 0x2593)
        return '#'; // shades
    if (c >= 0x2580 && c <= 0x25A0)
        return '#'; // blocks and the black square
    if (c >= 0x2500 && c <= 0x256C)
        return '+'; // corners and junctions
    return '?';
}

const ByteMap &oemTable()
{
    static const ByteMap table = [] {
        ByteMap map{};
        for (int b = 0; b < 256; ++b) {
            const char16_t c = kCp866ToUnicode[b];
            map[b] = reverse1251().present[c] ? reverse1251().bytes[c] : bestFit1251(c);
        }
        return map;
    }();
    return table;
}

ByteMap caseTable(bool upper)
{
    ByteMap map{};
    for (int b = 0; b < 256; ++b) {
        map[b] = static_cast<unsigned char>(b);
        const char16_t c = kCp1251ToUnicode[b];
        const char32_t partner = upper ? QChar::toUpper(char32_t(c)) : QChar::toLower(char32_t(c));
        if (partner != c && partner < 0x10000 && reverse1251().present[partner])
            map[b] = reverse1251().bytes[partner];
    }
    return map;
}

const ByteMap &upperTable()
{
    static const ByteMap table = caseTable(true);
    return table;
}

const ByteMap &lowerTable()
{
    static const ByteMap table = caseTable(false);
    return table;
}

QString decode(QByteArrayView bytes, const char16_t (&table)[256])
{
    QString text(bytes.size(), Qt::Uninitialized);
    QChar *out = text.data();
    for (qsizetype i = 0; i < bytes.size(); ++i)
        out[i] = QChar(table[static_cast<unsigned char>(bytes[i])]);
    return text;
}

QByteArray encode(QStringView text, const ReverseTable &table, char replacement)
{
    QByteArray bytes(text.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        bytes[i] = table.present[c] ? static_cast<char>(table.bytes[c]) : replacement;
    }
    return bytes;
}

} // namespace

char16_t cp1251ToUnicode(unsigned char byte)
{
    return kCp1251ToUnicode[byte];
}

char16_t cp866ToUnicode(unsigned char byte)
{
    return kCp866ToUnicode[byte];
}

QString fromCp1251(QByteArrayView bytes)
{
    return decode(bytes, kCp1251ToUnicode);
}

QString fromCp866(QByteArrayView bytes)
{
    return decode(bytes, kCp866ToUnicode);
}

QByteArray toCp1251(QStringView text, char replacement)
{
    return encode(text, reverse1251(), replacement);
}

QByteArray toCp866(QStringView text, char replacement)
{
    return encode(text, reverse866(), replacement);
}

unsigned char oemToAnsi(unsigned char byte)
{
    return oemTable()[byte];
}

QByteArray oemToChar(QByteArrayView cp866)
{
    const ByteMap &table = oemTable();
    QByteArray out(cp866.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < cp866.size(); ++i)
        out[i] = static_cast<char>(table[static_cast<unsigned char>(cp866[i])]);
    return out;
}

unsigned char ansiToDos(unsigned char byte)
{
    if (byte >= 0xC0 && byte <= 0xEF)
        return byte - 0x40;
    if (byte >= 0xF0)
        return byte - 0x10;
    if (byte == 0xB8)
        return 0xF1;
    if (byte == 0xA8)
        return 0xF0;
    return byte;
}

QByteArray ansiToDos(QByteArrayView text)
{
    QByteArray out(text.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < text.size(); ++i)
        out[i] = static_cast<char>(ansiToDos(static_cast<unsigned char>(text[i])));
    return out;
}

unsigned char viewerFold(unsigned char byte)
{
    if ((byte >= 0x41 && byte <= 0x5A) || (byte >= 0xC0 && byte <= 0xDF))
        return byte + 0x20;
    switch (byte) {
    case 0x81:
        return 0x83;
    case 0xA5:
        return 0xB4;
    case 0xA8:
        return 0xB8;
    case 0xAA:
        return 0xBA;
    case 0xAF:
        return 0xBF;
    case 0xB2:
        return 0xB3;
    case 0xBD:
        return 0xBE;
    default:
        return byte;
    }
}

QString viewerFolded(QStringView text)
{
    const ReverseTable &reverse = reverse1251();
    QString out(text.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        out[i] = reverse.present[c] ? QChar(kCp1251ToUnicode[viewerFold(reverse.bytes[c])]) : QChar(c).toCaseFolded();
    }
    return out;
}

unsigned char ansiUpper(unsigned char byte)
{
    return upperTable()[byte];
}

unsigned char ansiLower(unsigned char byte)
{
    return lowerTable()[byte];
}

} // namespace quil::codepage
