#pragma once

#include "search/DirectoryReader.h"

#include <QByteArrayView>
#include <QString>
#include <functional>
#include <stop_token>
#include <vector>

namespace quil {

// The content test of the file search. The text is turned once into byte
// forms, each holding for every character its upper- and lower-case variant:
// without the DOS box the Windows-1251 form (case by the ANSI code page) and
// the UTF-8 form (case by Unicode, per character, so "ПрИвЕт" is found as
// well as "привет"; the two variants of a character may differ in length);
// with the DOS box the Windows-1251 variants carried to CP866 by AnsiToDos.
// A form whose text Windows-1251 cannot hold is left out. A file matches when
// any form occurs in it at or after the start offset, up to its size.
//
// Files are read in chunks of 128 KiB (a multiple of the 8192-byte blocks),
// each searched together with the last bytes of the one before, so a match
// that straddles chunks is found; one buffer serves every file. The scan tests
// two bytes at fixed offsets of each candidate, 32 (AVX2) or 16 (SSE2) at a
// time, and compares only candidates that pass.
class TextFinder
{
public:
    // The byte forms a finder looks for: Windows-1251 and UTF-8, Windows-1251
    // alone, or the Windows-1251 form carried to CP866.
    enum class Forms { AnsiAndUtf8, Ansi, Dos };

    // An empty text gives a finder that matches nothing.
    TextFinder(const QString &text, bool dos) : TextFinder(text, dos ? Forms::Dos : Forms::AnsiAndUtf8) {}
    TextFinder(const QString &text, Forms forms);
    TextFinder(const TextFinder &) = delete;
    TextFinder &operator=(const TextFinder &) = delete;

    bool isEmpty() const { return m_forms.empty(); }
    // Called once every 101 blocks of 8192 bytes read inside one file.
    void setPendingMessages(std::function<void()> callback) { m_pending = std::move(callback); }
    // A stop token polled between chunks: once stopped (from any thread), the file being
    // read is given up at once as no match, so that Stop and the program's
    // end need not wait for the end of a huge file. A token without a source
    // never stops.
    void setStopToken(std::stop_token stop) { m_stop = std::move(stop); }

    // The content test of one entry of an open folder. Only regular files are
    // opened (a link is followed to a regular file only), never FIFOs, devices
    // or sockets; a file that cannot be opened or read is no match. O(size).
    bool matchesEntry(int dirFd, const char *name, DirectoryReader::Type type, qint64 start = 0);
    // The same test by path.
    bool matchesFile(const QString &path, qint64 start = 0);
    // The test on bytes in memory, as one chunk.
    bool occursIn(QByteArrayView bytes) const;
    // The first offset, at most lastStart, where a form occurs wholly inside
    // the bytes, or -1. O(size).
    qint64 firstIn(QByteArrayView bytes, qint64 lastStart) const;
    // The byte length of the longest form; occurrences starting within the
    // last longestForm() - 1 bytes of a chunk may run on into the next one.
    size_t longestForm() const { return m_carry + 1; }

private:
    struct Variant
    {
        unsigned char length = 0;
        unsigned char bytes[4] = {};
    };
    struct Unit
    {
        unsigned char count = 0;
        Variant variants[3];
    };
    struct Form
    {
        // Forms whose variants are all one byte keep them in two rows.
        bool singleBytes = true;
        std::vector<unsigned char> upper, lower;
        std::vector<Unit> units;
        size_t minLength = 0, maxLength = 0;
        // Prefilter: the byte at offset k1 is a1 or b1 and the one at k2 is a2 or b2.
        bool filter = false;
        size_t k1 = 0, k2 = 0;
        unsigned char a1 = 0, b1 = 0, a2 = 0, b2 = 0;
        bool firstBytes[256] = {};
    };

    static Form byteForm(const QByteArray &upper, const QByteArray &lower);
    static Form utf8Form(const QString &text);
    static void choosePrefilter(Form &form);
    static bool verify(const Form &form, const unsigned char *p, size_t available);
    // The first start at or before last of an occurrence wholly inside the
    // buffer, or -1.
    static qint64 scan(const Form &form, const unsigned char *buffer, size_t size, size_t last);
    bool readAndScan(int fd, qint64 size, qint64 start);

    std::vector<Form> m_forms;
    size_t m_carry = 0; // bytes kept from the chunk before: longest form less one
    std::vector<unsigned char> m_buffer;
    std::function<void()> m_pending;
    std::stop_token m_stop;
};

// The text with its Russian letters moved from Windows-1251 to CP866, byte
// by byte; other bytes stay as they are.
QByteArray AnsiToDos(QByteArrayView text);

// True when the text occurs in the file named by the path at or after byte
// offset start, compared as TextFinder does. False for an empty path or text,
// a missing file, a folder, a special file or an empty file.
bool FindTextInFile(const QString &path, const QString &text, qint64 start, bool dos);

} // namespace quil
