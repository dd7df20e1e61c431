#include "viewers/FileViewModel.h"

#include "viewers/FileViewRenderer.h"
#include "viewers/ViewedFile.h"

#include <QCoreApplication>

namespace quil {

qint64 FileViewModel::fileSize(const QString &path)
{
    return ViewedFile::sizeOf(path);
}

QByteArray FileViewModel::readRange(const QString &path, qint64 offset, qint64 count)
{
    ViewedFile file(path);
    // The buffer is sized to the request, so no page height can overrun it.
    QByteArray bytes(static_cast<qsizetype>(std::max<qint64>(0, count)), Qt::Uninitialized);
    // Fewer bytes when the file became shorter since its size was taken.
    bytes.truncate(qsizetype(file.read(bytes.data(), size_t(bytes.size()), offset)));
    return bytes;
}

bool FileViewModel::open()
{
    m_textMode = false;
    if (m_path.isEmpty())
        return false;
    m_viewFileSize = fileSize(m_path);
    if (m_viewFileSize < kWholeFileLimit) {
        m_wholeFileMode = true;
        m_textMode = true;
        m_text.clear();
        m_shown.clear();
        m_text = FileViewRenderer::wholeFileText(readRange(m_path, 0, m_viewFileSize), m_codePage);
        // The text differs from the bytes only in ASCII, so it is UTF-8 when they are.
        const bool utf8 =
            m_codePage == ViewerCodePage::Win && FileViewRenderer::utf8Span(m_text, 0, m_text.size()).has_value();
        m_shown = FileViewRenderer::displayText(m_text, utf8 ? FileViewRenderer::Encoding::Utf8
                                                             : FileViewRenderer::Encoding::Cp1251);
        return true;
    }
    m_wholeFileMode = false;
    setUpPaging();
    m_position = 1;
    renderPage();
    return true;
}

QString FileViewModel::title() const
{
    return QCoreApplication::translate("FileViewModel", " Просмотр файла - ") + m_path +
           QCoreApplication::translate("FileViewModel", " - Размер : ") + QString::number(m_viewFileSize);
}

void FileViewModel::setUpPaging()
{
    m_paging = FileViewPaging::setUp(m_viewFileSize, m_linesPerPage);
    m_position = m_paging.clamp(m_position);
}

void FileViewModel::toggleTextHex()
{
    setUpPaging();
    m_text.clear();
    m_shown.clear();
    m_wholeFileMode = false;
    m_textMode = !m_textMode;
    renderPage();
}

bool FileViewModel::setPosition(qint64 position)
{
    position = m_paging.clamp(position);
    if (position == m_position)
        return false;
    m_position = position;
    renderPage();
    return true;
}

void FileViewModel::renderPage()
{
    if (m_path.isEmpty())
        return;
    m_pageOffset = m_paging.pageOffset(m_position);
    const qint64 pageLength = m_linesPerPage * 16 * (m_textMode ? 4 : 1);
    const qint64 count = std::max<qint64>(0, std::min(pageLength, m_viewFileSize - m_pageOffset));
    m_text.clear();
    m_shown.clear();
    if (!m_textMode) {
        m_text = FileViewRenderer::hexPage(readRange(m_path, m_pageOffset, count), m_pageOffset, m_codePage);
        m_shown = FileViewRenderer::displayText(m_text);
        return;
    }
    if (m_codePage != ViewerCodePage::Win) {
        m_text = FileViewRenderer::textPage(readRange(m_path, m_pageOffset, count), m_codePage);
        m_shown = FileViewRenderer::displayText(m_text);
        return;
    }
    // Up to three bytes on each side complete the characters a page edge cuts.
    constexpr qint64 kMargin = 3;
    const qint64 before = std::min(kMargin, m_pageOffset);
    const qint64 after = std::clamp<qint64>(m_viewFileSize - m_pageOffset - count, 0, kMargin);
    const QByteArray read = readRange(m_path, m_pageOffset - before, before + count + after);
    const QByteArrayView bytes(read);
    const QByteArrayView page = bytes.sliced(std::min<qsizetype>(before, bytes.size()))
                                    .first(std::clamp<qsizetype>(bytes.size() - before, 0, count));
    m_text = FileViewRenderer::textPage(page, m_codePage);
    const auto span = FileViewRenderer::utf8Span(bytes, before, before + page.size());
    m_shown = span ? FileViewRenderer::displayText(
                         FileViewRenderer::textPage(bytes.sliced(span->begin, span->end - span->begin), m_codePage),
                         FileViewRenderer::Encoding::Utf8)
                   : FileViewRenderer::displayText(m_text);
}

void FileViewModel::loadWholeUcode()
{
    m_text.clear();
    m_shown.clear();
    if (m_path.isEmpty())
        return;
    m_text = FileViewRenderer::ucodeText(readRange(m_path, 0, m_viewFileSize));
    m_shown = FileViewRenderer::displayText(m_text);
}

} // namespace quil
