#include "platform/CodePages.h"

#include <gtest/gtest.h>
#include <iconv.h>

using namespace quil::codepage;

namespace {

// What glibc's iconv makes of one byte of the code page; -1 when it refuses it.
int iconvByte(const char *codepage, unsigned char byte)
{
    iconv_t cd = iconv_open("UTF-16LE", codepage);
    EXPECT_NE(cd, reinterpret_cast<iconv_t>(-1));
    char in[1] = {static_cast<char>(byte)};
    char out[4] = {};
    char *inp = in;
    char *outp = out;
    size_t inLeft = 1;
    size_t outLeft = sizeof out;
    const size_t rc = iconv(cd, &inp, &inLeft, &outp, &outLeft);
    iconv_close(cd);
    if (rc == size_t(-1))
        return -1;
    return static_cast<unsigned char>(out[0]) | (static_cast<unsigned char>(out[1]) << 8);
}

} // namespace

TEST(CodePages, TablesAgreeWithIconv)
{
    int unassigned = 0;
    for (int b = 0; b < 256; ++b) {
        const int win = iconvByte("CP1251", static_cast<unsigned char>(b));
        if (win < 0)
            ++unassigned; // 0x98, which Windows maps to U+0098
        else
            EXPECT_EQ(cp1251ToUnicode(static_cast<unsigned char>(b)), win) << "CP1251 byte " << b;
        EXPECT_EQ(cp866ToUnicode(static_cast<unsigned char>(b)), iconvByte("CP866", static_cast<unsigned char>(b)))
            << "CP866 byte " << b;
    }
    EXPECT_EQ(unassigned, 1);
    EXPECT_EQ(cp1251ToUnicode(0x98), 0x0098);
}

TEST(CodePages, RoundTripAndReplacement)
{
    const QString russian = QStringLiteral("Привет, Ёжик ёж №1");
    EXPECT_EQ(fromCp1251(toCp1251(russian)), russian);
    EXPECT_EQ(fromCp866(toCp866(russian)), russian);
    EXPECT_EQ(toCp1251(QStringLiteral("a\u4E2Db")), QByteArray("a?b"));
    EXPECT_EQ(toCp1251(QStringLiteral("Я")), QByteArray("\xDF"));
    EXPECT_EQ(toCp866(QStringLiteral("Я")), QByteArray("\x9F"));
}

TEST(CodePages, OemToCharCarriesLettersAndApproximatesBoxes)
{
    // Every CP866 letter arrives as the same letter in Windows-1251.
    for (int b = 0; b < 256; ++b) {
        const QChar c(cp866ToUnicode(static_cast<unsigned char>(b)));
        const unsigned char ansi = oemToAnsi(static_cast<unsigned char>(b));
        if (c.isLetterOrNumber() || b < 0x80) {
            EXPECT_EQ(QChar(cp1251ToUnicode(ansi)), c) << "CP866 byte " << b;
        }
    }
    EXPECT_EQ(oemToChar(QByteArray("\xC4\xB3\xDA\xCD\x10")), QByteArray("-|+=\x10"));
    EXPECT_EQ(oemToChar(QByteArray("\x8F\xE0\xA8\xA2\xA5\xE2")), toCp1251(QStringLiteral("Привет")));
}

TEST(CodePages, AnsiToDosMovesRussianLetters)
{
    struct Case
    {
        unsigned char in, out;
    } cases[] = {{0xC0, 0x80}, {0xEF, 0xAF}, {0xF0, 0xE0}, {0xFF, 0xEF}, {0xB8, 0xF1},
                 {0xA8, 0xF0}, {0x41, 0x41}, {0xB9, 0xB9}, {0xBF, 0xBF}, {0x00, 0x00}};
    for (const Case &c : cases)
        EXPECT_EQ(ansiToDos(c.in), c.out) << int(c.in);
    // The rule agrees with the real code pages for every Russian letter.
    const QString letters = QStringLiteral("АБВГДЕЁЖЗИЙКЛМНОПРСТУФХЦЧШЩЪЫЬЭЮЯабвгдеёжзийклмнопрстуфхцчшщъыьэюя");
    EXPECT_EQ(ansiToDos(toCp1251(letters)), toCp866(letters));
}

TEST(CodePages, ViewerFoldingTable)
{
    const unsigned char listed[][2] = {{0x41, 0x61}, {0x5A, 0x7A}, {0xC0, 0xE0}, {0xDF, 0xFF},
                                       {0x81, 0x83}, {0xA5, 0xB4}, {0xA8, 0xB8}, {0xAA, 0xBA},
                                       {0xAF, 0xBF}, {0xB2, 0xB3}, {0xBD, 0xBE}};
    for (const auto &pair : listed)
        EXPECT_EQ(viewerFold(pair[0]), pair[1]) << int(pair[0]);
    int changed = 0;
    for (int b = 0; b < 256; ++b)
        changed += viewerFold(static_cast<unsigned char>(b)) != b;
    EXPECT_EQ(changed, 26 + 32 + 7);
    EXPECT_EQ(viewerFold(0xA1), 0xA1); // Ў is not folded
}

TEST(CodePages, AnsiCaseMapping)
{
    struct Case
    {
        unsigned char lower, upper;
    } pairs[] = {{'a', 'A'}, {0xE0, 0xC0}, {0xFF, 0xDF}, {0xB8, 0xA8}, {0xA2, 0xA1}, {0x83, 0x81}, {0x9A, 0x8A}};
    for (const Case &c : pairs) {
        EXPECT_EQ(ansiUpper(c.lower), c.upper) << int(c.lower);
        EXPECT_EQ(ansiLower(c.upper), c.lower) << int(c.upper);
    }
    EXPECT_EQ(ansiUpper('1'), '1');
    EXPECT_EQ(ansiUpper(0xB5), 0xB5); // µ: its capital is not in Windows-1251
}
