#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

// The 8-bit code pages of the viewer and the file search: WIN is Windows-1251,
// DOS is CP866. These are byte-exact tables of our own, independent of the
// locale. All functions are O(n) table look-ups.
namespace quil::codepage {

char16_t cp1251ToUnicode(unsigned char byte);
char16_t cp866ToUnicode(unsigned char byte);

QString fromCp1251(QByteArrayView bytes);
QString fromCp866(QByteArrayView bytes);
// Characters that Windows-1251 (CP866) lacks become the given replacement byte.
QByteArray toCp1251(QStringView text, char replacement = '?');
QByteArray toCp866(QStringView text, char replacement = '?');

// The platform's OEM to ANSI conversion (OemToCharA): CP866 bytes to
// Windows-1251 bytes. Box-drawing characters, which Windows-1251 lacks, take
// the best-fit characters "+", "-", "|", "=" and "#".
unsigned char oemToAnsi(unsigned char byte);
QByteArray oemToChar(QByteArrayView cp866);

// The program's own carry of Russian letters from Windows-1251 to CP866:
// 0xC0-0xEF minus 0x40, 0xF0-0xFF minus 0x10, 0xB8 to 0xF1, 0xA8 to 0xF0,
// every other byte unchanged.
unsigned char ansiToDos(unsigned char byte);
QByteArray ansiToDos(QByteArrayView text);

// The viewer's case-folding table of its whole-file search: A-Z and А-Я to
// lower case, and the pairs 0x81/0x83, 0xA5/0xB4, 0xA8/0xB8, 0xAA/0xBA,
// 0xAF/0xBF, 0xB2/0xB3, 0xBD/0xBE; other bytes unchanged.
unsigned char viewerFold(unsigned char byte);
// The same table on Unicode text, character by character: a character that
// Windows-1251 holds is folded by the table, any other by Unicode's simple
// case folding. The length stays, so positions carry over.
QString viewerFolded(QStringView text);

// The ANSI (Windows-1251) case mapping: a byte's case partner is the encoding
// of its Unicode case partner when Windows-1251 has it; otherwise the byte.
unsigned char ansiUpper(unsigned char byte);
unsigned char ansiLower(unsigned char byte);

} // namespace quil::codepage
