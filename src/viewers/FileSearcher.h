#pragma once

#include "viewers/ViewerCodePage.h"

#include <QByteArray>
#include <QByteArrayList>
#include <QByteArrayView>
#include <QString>
#include <functional>

namespace quil {

// The two searches of the file content viewer, ignoring letter case: in the
// lines of the text area (whole-file mode) and in the file itself (paged
// hexadecimal mode). Texts are 8-bit (Windows-1251) bytes.
class FileSearcher
{
public:
    // Bytes between two calls of the pending-work callback of findInFile
    // (101 read blocks of 8192 bytes), so the windows stay usable.
    static constexpr qint64 kYieldBytes = 101 * 8192;

    struct TextHit
    {
        bool found = false;
        qsizetype line = 0;   // line of the match, from 0
        qsizetype column = 0; // column of its first character, from 0
        qsizetype length = 0; // the search text's length
    };

    // Finds the text in the lines, from line caretLine, column caretColumn on
    // (the rest of the caret's line, then each later line whole), with the
    // viewer's case-folding table. An empty text is never found. O(total length).
    static TextHit findInText(const QByteArrayList &lines, qsizetype caretLine, qsizetype caretColumn,
                              QByteArrayView text);

    // The offset of the first occurrence of text at or after start in the file,
    // either letter case matching (the ANSI case mapping; in DOS both forms are
    // carried to CP866 with ansiToDos), or -1. A match must lie wholly inside
    // the file as it was sized at the start. -1 also when no path, an empty text,
    // a missing or empty file. Raises OsError when the file exists but cannot be
    // read. Calls pending (when given) after about every kYieldBytes read.
    // Reads the file once from start, sequentially.
    static qint64 findInFile(const QString &path, QByteArrayView text, qint64 start, ViewerCodePage codePage,
                             const std::function<void()> &pending = {});
};

} // namespace quil
