#include "viewers/FileViewModel.h"

#include "platform/NativePath.h"
#include "platform/OsError.h"
#include "viewers/FileViewRenderer.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quil {

namespace {

// Closes the descriptor on every way out of a read.
class FileHandle
{
public:
    explicit FileHandle(const QString &path)
        : m_fd(::open(toNative(path).constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK))
    {
        // Non-blocking, so that a FIFO given as the file cannot hang the viewer.
        if (m_fd < 0)
            throw OsError::last();
    }
    ~FileHandle() { ::close(m_fd); }
    FileHandle(const FileHandle &) = delete;
    FileHandle &operator=(const FileHandle &) = delete;
    int fd() const { return m_fd; }

private:
    int m_fd;
};

} // namespace

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
    FileHandle file(path);
    // The buffer is sized to the request, so no page height can overrun it.
    QByteArray bytes(static_cast<qsizetype>(std::max<qint64>(0, count)), Qt::Uninitialized);
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t got = ::pread(file.fd(), bytes.data() + done, static_cast<size_t>(bytes.size() - done),
                                    static_cast<off_t>(offset + done));
        if (got < 0) {
            if (errno == EINTR)
                continue;
            throw OsError::last();
        }
        if (got == 0)
            break; // the file became shorter since its size was taken
        done += got;
    }
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
