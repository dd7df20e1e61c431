#pragma once

#include "viewers/FileViewPaging.h"
#include "viewers/ViewerCodePage.h"

#include <QByteArray>
#include <QString>
#include <algorithm>

namespace quil {

// The state of the file content viewer and what its text area holds, without
// any widget: one file, whole (below 64000 bytes) or one page at a time, as
// text or as a hexadecimal dump, in one of three code pages. The file is never
// held open: each render opens, reads one page and closes it.
// Operations that read raise OsError when the file cannot be opened or read.
class FileViewModel
{
public:
    // Files below this size are loaded whole as text.
    static constexpr qint64 kWholeFileLimit = 64000;

    // The size the file system reports for the file; 0 when it does not exist
    // (or cannot be examined).
    static qint64 fileSize(const QString &path);
    // Reads up to count bytes at offset (fewer at the end of the file); opens
    // and closes the file. Raises OsError.
    static QByteArray readRange(const QString &path, qint64 offset, qint64 count);

    void setPath(const QString &path) { m_path = path; }
    const QString &path() const { return m_path; }
    void setCodePage(ViewerCodePage codePage) { m_codePage = codePage; }
    ViewerCodePage codePage() const { return m_codePage; }
    void setLinesPerPage(qint64 lines) { m_linesPerPage = std::max<qint64>(1, lines); }
    qint64 linesPerPage() const { return m_linesPerPage; }

    // Opens the path: clears text mode, takes the size, and either loads the
    // whole file as text (below 64000 bytes) or sets up paging at position 1 and
    // renders the first page as a hexadecimal dump. False (and nothing done
    // but clearing text mode) when no path is set. Reads at most one page.
    bool open();
    // The window title for the open file: " Просмотр файла - path - Размер : N".
    QString title() const;

    // Sets up the scroll range for the size and page height; the position is
    // limited to the new range.
    void setUpPaging();
    // The TXT/HEX toggle: paging set up, paged mode, text mode inverted, page
    // rendered at the current position.
    void toggleTextHex();
    // Moves to a position (limited to the range); true when it changed, and
    // then the new page has been rendered.
    bool setPosition(qint64 position);
    // Renders the page at the current position into text(). Nothing when no
    // path is set.
    void renderPage();
    // Loads the whole file as UCODE text into text(), leaving the modes as they
    // are (the code-page step from DOS for a small file).
    void loadWholeUcode();

    qint64 viewFileSize() const { return m_viewFileSize; }
    bool textMode() const { return m_textMode; }
    bool wholeFileMode() const { return m_wholeFileMode; }
    qint64 position() const { return m_position; }
    qint64 pageOffset() const { return m_pageOffset; }
    const FileViewPaging &paging() const { return m_paging; }
    // The 8-bit (Windows-1251) text that the text area holds.
    const QByteArray &text() const { return m_text; }
    // That text as the screen shows it, lines joined by "\n". In WIN, text
    // (whole or paged) whose bytes are valid UTF-8 is shown as UTF-8, the
    // system's encoding; other text, the hexadecimal dump and DOS and UCODE
    // as Windows-1251.
    const QString &shownText() const { return m_shown; }

private:
    QString m_path;
    ViewerCodePage m_codePage = ViewerCodePage::Win;
    qint64 m_linesPerPage = 23;
    qint64 m_viewFileSize = 0;
    bool m_textMode = false;
    bool m_wholeFileMode = false;
    qint64 m_position = 1;
    qint64 m_pageOffset = 0;
    FileViewPaging m_paging;
    QByteArray m_text;
    QString m_shown;
};

} // namespace quil
