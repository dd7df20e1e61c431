#include "viewers/FileViewRenderer.h"

#include <gtest/gtest.h>

using quil::FileViewRenderer;
using quil::ViewerCodePage;

namespace {

QByteArray bytes(std::initializer_list<int> values)
{
    QByteArray out;
    for (const int v : values)
        out.append(static_cast<char>(v));
    return out;
}

const QByteArray kSub(1, FileViewRenderer::kSubstitute);

} // namespace

TEST(FileViewRenderer, HexRowOfWinIsSeventySixCharacters)
{
    const QByteArray page = FileViewRenderer::hexPage("ABCDEFGHIJKLMNOP", 0, ViewerCodePage::Win);
    EXPECT_EQ(page, "00000000: 41 42 43 44 45 46 47 48|49 4A 4B 4C 4D 4E 4F 50 | ABCDEFGHIJKLMNOP");
    EXPECT_EQ(page.size(), 76);
}

TEST(FileViewRenderer, PartialLastRowIsPaddedToTheByteColumn)
{
    const QByteArrayList lines =
        FileViewRenderer::splitLines(FileViewRenderer::hexPage("ABCDEFGHIJKLMNOPQR", 0, ViewerCodePage::Win));
    ASSERT_EQ(lines.size(), 2);
    EXPECT_EQ(lines[1], "00000010: 51 52" + QByteArray(43, ' ') + "| QR");
    EXPECT_EQ(lines[1].size(), 10 + 48 + 2 + 2);
    // A partial row of more than eight bytes keeps its bar.
    const QByteArray nine = FileViewRenderer::hexPage("123456789", 0x30, ViewerCodePage::Win);
    EXPECT_EQ(nine, "00000030: 31 32 33 34 35 36 37 38|39" + QByteArray(22, ' ') + "| 123456789");
}

TEST(FileViewRenderer, ZeroAndTabInWholeFileAndTextPage)
{
    const QByteArray input = bytes({'a', 0, 'b', 9, 'c', 13, 10, 'd'});
    EXPECT_EQ(FileViewRenderer::wholeFileText(input, ViewerCodePage::Win), "a" + kSub + "b\t    c\r\nd");
    EXPECT_EQ(FileViewRenderer::textPage(input, ViewerCodePage::Win), "a" + kSub + "b" + kSub + "c\r\nd");
}

TEST(FileViewRenderer, DosGoesThroughOemToAnsi)
{
    // CP866 "Ая" and a pseudo-graphic bar.
    const QByteArray input = bytes({0x80, 0xEF, 0, 0xB3});
    EXPECT_EQ(FileViewRenderer::wholeFileText(input, ViewerCodePage::Dos), bytes({0xC0, 0xFF, 0x10, '|'}));
    EXPECT_EQ(FileViewRenderer::textPage(input, ViewerCodePage::Dos), bytes({0xC0, 0xFF, 0x10, '|'}));
    EXPECT_TRUE(
        FileViewRenderer::hexPage(input, 0, ViewerCodePage::Dos).endsWith(bytes({'|', ' ', 0xC0, 0xFF, 0x10, '|'})));
}

TEST(FileViewRenderer, HexRowTextColumnStaysOneLine)
{
    const QByteArray row = FileViewRenderer::hexPage(bytes({'x', 0, 9, 10, 13, 'y'}), 0, ViewerCodePage::Win);
    EXPECT_TRUE(row.endsWith("| x" + kSub + kSub + kSub + kSub + "y"));
    EXPECT_EQ(FileViewRenderer::splitLines(row).size(), 1);
}

struct UnitCase
{
    int lo;
    int hi;
    QByteArray result;
};

TEST(FileViewRenderer, UcodeDecodingTable)
{
    const UnitCase cases[] = {
        {0x00, 0x00, ""},
        {0x0D, 0x00, "\r\n"},
        {'A', 0x00, "A"},
        {0x09, 0x00, "\t"},
        {0x0A, 0x00, "\n"},
        {0x00, 0x04, ""},
        {0x01, 0x04, bytes({0xB1})}, // Ё is 0xB1, not 0xA8
        {0x10, 0x04, bytes({0xC0})}, // А
        {0x4F, 0x04, bytes({0xFF})}, // я
        {0xAC, 0x20, bytes({0xAC, 0x20})},
        {0x00, 0x09, kSub + kSub},
        {0x09, 0x21, kSub + "!"},
        {0xFF, 0xFE, bytes({0xFF, 0xFE})}, // the byte-order mark is not skipped
    };
    for (const UnitCase &c : cases) {
        EXPECT_EQ(FileViewRenderer::ucodeText(bytes({c.lo, c.hi})), c.result) << c.lo << " " << c.hi;
        EXPECT_EQ(FileViewRenderer::wholeFileText(bytes({c.lo, c.hi}), ViewerCodePage::Ucode), c.result);
        EXPECT_EQ(FileViewRenderer::textPage(bytes({c.lo, c.hi}), ViewerCodePage::Ucode), c.result);
    }
    // An odd last byte forms no unit.
    EXPECT_EQ(FileViewRenderer::ucodeText(bytes({'A', 0, 'B'})), "A");
}

TEST(FileViewRenderer, UcodeCrLfIsOneLineBreak)
{
    // A CR LF text once showed an empty line after every line.
    const QByteArray crLf = bytes({'a', 0, 13, 0, 10, 0, 'b', 0, 13, 0, 10, 0});
    EXPECT_EQ(FileViewRenderer::splitLines(FileViewRenderer::ucodeText(crLf)), QByteArrayList({"a", "b", ""}));
    // A lone LF, and an LF after other units, still break the line.
    const QByteArray lf = bytes({'a', 0, 10, 0, 'b', 0, 13, 0, 'c', 0, 10, 0, 13, 0, 13, 0, 10, 0});
    EXPECT_EQ(FileViewRenderer::ucodeText(lf), "a\nb\r\nc\n\r\n\r\n");
}

TEST(FileViewRenderer, UcodeHexColumn)
{
    // "Ая", a Euro sign, then units whose bytes would break the row.
    const QByteArray input =
        bytes({0x10, 0x04, 0x4F, 0x04, 0xAC, 0x20, 0x0A, 0x00, 0x0D, 0x00, 0x00, 0x00, 0x5A, 0x04, 'Z'});
    const QByteArray row = FileViewRenderer::hexPage(input, 0, ViewerCodePage::Ucode);
    EXPECT_TRUE(row.endsWith(bytes({'|', ' ', 0xC0, 0xFF, 0xAC, 0x20}) + kSub + kSub + kSub + kSub))
        << row.toHex(' ').constData();
    EXPECT_EQ(FileViewRenderer::splitLines(row).size(), 1);
}

TEST(FileViewRenderer, OffsetsBeyondEightDigits)
{
    EXPECT_EQ(FileViewRenderer::offsetLabel(0), "00000000");
    EXPECT_EQ(FileViewRenderer::offsetLabel(0xFFFFFFF0), "FFFFFFF0");
    EXPECT_EQ(FileViewRenderer::offsetLabel(0x123456780), "123456780");
    EXPECT_TRUE(FileViewRenderer::hexPage("A", 0x200000000, ViewerCodePage::Win).startsWith("200000000: 41 "));
}

TEST(FileViewRenderer, LinesAndDisplay)
{
    EXPECT_EQ(FileViewRenderer::splitLines(""), QByteArrayList{""});
    EXPECT_EQ(FileViewRenderer::splitLines("a\r\nb\nc\rd\r\n"), (QByteArrayList{"a", "b", "c", "d", ""}));
    EXPECT_EQ(FileViewRenderer::displayLine(kSub + bytes({0xC0, 0xB8})), QStringLiteral("►Аё"));
    EXPECT_EQ(FileViewRenderer::displayText("a\r\nb"), QStringLiteral("a\nb"));
}
