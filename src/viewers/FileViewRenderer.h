#pragma once

#include "viewers/ViewerCodePage.h"

#include <QByteArray>
#include <QByteArrayList>
#include <QByteArrayView>
#include <QString>
#include <optional>

namespace quil {

// Turns the bytes of a file (or of one page of it) into the 8-bit (Windows-1251)
// text that the viewer's text area shows, and that text into Unicode for the
// screen. Pure functions, O(n) in the bytes given.
class FileViewRenderer
{
public:
    // The byte that stands for bytes and units not shown as themselves.
    static constexpr char kSubstitute = 0x10;
    // Bytes of one row of the hexadecimal dump.
    static constexpr int kRowBytes = 16;

    // A whole small file as text: in WIN and DOS a 0 byte becomes the
    // substitute and a TAB is followed by four blanks (DOS then goes through the
    // OEM to ANSI conversion); in UCODE the units are decoded by ucodeText.
    static QByteArray wholeFileText(QByteArrayView bytes, ViewerCodePage codePage);

    // One page in text mode: in WIN and DOS the bytes 0 and 9 become the
    // substitute, every other byte stays (DOS then converted); UCODE decodes.
    static QByteArray textPage(QByteArrayView bytes, ViewerCodePage codePage);

    // One page as a hexadecimal dump, one row of 16 bytes per line, lines
    // joined by CR LF; offset is the file offset of bytes[0].
    static QByteArray hexPage(QByteArrayView bytes, qint64 offset, ViewerCodePage codePage);

    // UTF-16LE units to 8-bit text: U+0000 and U+0400 give nothing, U+000D ends
    // the line (CR LF) and a U+000A directly after it gives nothing, other U+00xx give their low byte, U+0401-U+04FF
    // the byte (low + 0xB0) mod 256, any other unit its low byte (substitute for 0 and 9) and then its high byte
    // (substitute for 9). An odd last byte is ignored.
    static QByteArray ucodeText(QByteArrayView bytes);

    // A row label: the offset in upper-case hexadecimal, at least 8 digits.
    static QByteArray offsetLabel(qint64 offset);

    // The lines of an 8-bit text as the text area breaks them: at CR LF, at a
    // lone CR and at a lone LF. An empty text is one empty line.
    static QByteArrayList splitLines(QByteArrayView text);

    // How an 8-bit text is read for the screen.
    enum class Encoding { Cp1251, Utf8 };

    // An 8-bit line (no line breaks) as Unicode for the screen: Windows-1251 or
    // UTF-8, with the substitute drawn as the triangle U+25BA (in UTF-8 also
    // the line and paragraph separators, which would break the line).
    static QString displayLine(QByteArrayView line, Encoding encoding = Encoding::Cp1251);
    // A whole 8-bit text for the screen, its lines joined by "\n".
    static QString displayText(QByteArrayView text, Encoding encoding = Encoding::Cp1251);

    // The part of bytes[first, last) to show as UTF-8 text, or nothing when
    // those bytes are not valid UTF-8 (overlong forms, surrogates and code
    // points above U+10FFFF are not). A character cut by an edge of the range
    // counts as valid when the bytes outside it complete it: one that begins
    // before `first` is left to the range before (the span starts after it),
    // one that runs past `last` is taken whole (the span ends after it).
    // O(last - first).
    struct Span
    {
        qsizetype begin = 0;
        qsizetype end = 0;
    };
    static std::optional<Span> utf8Span(QByteArrayView bytes, qsizetype first, qsizetype last);
};

} // namespace quil
