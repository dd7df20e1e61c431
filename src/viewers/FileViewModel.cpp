#include "viewers/FileViewModel.h"

#include "platform/NativePath.h"
#include "platform/OsError.h"
#include "platform/PosixIo.h"
#include "viewers/FileViewRenderer.h"
#include "viewers/ViewedFile.h"

#include <sys/stat.h>

namespace quil {

qint64 FileViewModel::fileSize(const QString &path)
{
    struct stat info
    {
    };
    if (path.isEmpty() || ::stat(toNative(path).constData(), &info) != 0)
        return 0;
    return static_cast<qint64>(info.st_size);
}

QByteArray FileViewModel::readRange(const QString &path, qint64 offset, qint64 count)
{
    const UniqueFd file = openViewedFile(path);
    // The buffer is sized to the request, so no page height can overrun it.
    QByteArray bytes(static_cast<qsizetype>(std::max<qint64>(0, count)), Qt::Uninitialized);
    // Fewer bytes when the file became shorter since its size was taken.
    const ssize_t done = posix::preadFull(file.get(), bytes.data(), size_t(bytes.size()), static_cast<off_t>(offset));
    if (done < 0)
        throw OsError::last();
    bytes.truncate(done);
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
        m_text = FileViewRenderer::wholeFileText(readRange(m_path, 0, m_viewFileSize), m_codePage);
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
    return QStringLiteral(" Просмотр файла - ") + m_path + QStringLiteral(" - Размер : ") +
           QString::number(m_viewFileSize);
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
    const QByteArray page = readRange(m_path, m_pageOffset, count);
    m_text = m_textMode ? FileViewRenderer::textPage(page, m_codePage)
                        : FileViewRenderer::hexPage(page, m_pageOffset, m_codePage);
}

void FileViewModel::loadWholeUcode()
{
    m_text.clear();
    if (m_path.isEmpty())
        return;
    m_text = FileViewRenderer::ucodeText(readRange(m_path, 0, m_viewFileSize));
}

} // namespace quil
