#pragma once

#include "viewers/ViewerCodePage.h"

#include <QByteArray>
#include <QByteArrayList>
#include <QByteArrayView>
#include <QString>
#include <QStringList>
#include <functional>

namespace quil {

// The two searches of the file content viewer, ignoring letter case: in the
// lines of the text area as shown (whole-file mode) and in the file itself
// (paged hexadecimal mode).
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
    // viewer's case-folding table (codepage::viewerFolded). Columns count UTF-16
    // units. An empty text is never found. O(total length).
    static TextHit findInText(const QStringList &lines, qsizetype caretLine, qsizetype caretColumn,
                              const QString &text);

    // The offset of the first occurrence of text at or after start in the file,
    // either letter case matching, or -1. In WIN the text is looked for in
    // Windows-1251 (the ANSI case mapping) and in UTF-8 (Unicode's case, per
    // character); in UCODE in Windows-1251 alone; in DOS the Windows-1251 case
    // forms are carried to CP866 with ansiToDos. A match must lie wholly inside
    // the file as it was sized at the start. -1 also when no path, an empty text,
    // a missing or empty file. Raises OsError when the file exists but cannot be
    // read. Calls pending (when given) after about every kYieldBytes read.
    // Reads the file once from start, sequentially.
    static qint64 findInFile(const QString &path, const QString &text, qint64 start, ViewerCodePage codePage,
                             const std::function<void()> &pending = {});
};

} // namespace quil
