#include "viewers/ViewedFile.h"

#include "platform/NativePath.h"
#include "platform/OsError.h"
#include "platform/PosixIo.h"

#include <fcntl.h>
#include <gio/gio.h>
#include <sys/stat.h>

namespace quil {

namespace {

[[noreturn]] void throwGioError(GError *error)
{
    const QString text = error != nullptr ? QString::fromUtf8(error->message) : QString();
    g_clear_error(&error);
    throw QuilError(text);
}

} // namespace

bool ViewedFile::isUri(const QString &pathOrUri)
{
    // An absolute path is never a URI, whatever it holds.
    if (pathOrUri.startsWith(QLatin1Char('/')))
        return false;
    char *scheme = g_uri_parse_scheme(pathOrUri.toUtf8().constData());
    const bool uri = scheme != nullptr;
    g_free(scheme);
    return uri;
}

qint64 ViewedFile::sizeOf(const QString &pathOrUri)
{
    if (pathOrUri.isEmpty())
        return 0;
    if (!isUri(pathOrUri)) {
        struct stat info
        {
        };
        return ::stat(toNative(pathOrUri).constData(), &info) == 0 ? qint64(info.st_size) : 0;
    }
    GFile *file = g_file_new_for_uri(pathOrUri.toUtf8().constData());
    GFileInfo *info = g_file_query_info(file, G_FILE_ATTRIBUTE_STANDARD_SIZE, G_FILE_QUERY_INFO_NONE, nullptr, nullptr);
    const qint64 size = info != nullptr ? qint64(g_file_info_get_size(info)) : 0;
    if (info != nullptr)
        g_object_unref(info);
    g_object_unref(file);
    return size;
}

ViewedFile::ViewedFile(const QString &pathOrUri)
{
    if (isUri(pathOrUri)) {
        m_file = g_file_new_for_uri(pathOrUri.toUtf8().constData());
        openStream();
        return;
    }
    m_fd = posix::openPath(toNative(pathOrUri), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (!m_fd.valid())
        throw OsError::last();
}

ViewedFile::~ViewedFile()
{
    if (m_stream != nullptr)
        g_object_unref(m_stream);
    if (m_file != nullptr)
        g_object_unref(m_file);
}

void ViewedFile::openStream()
{
    if (m_stream != nullptr)
        g_object_unref(m_stream);
    GError *error = nullptr;
    m_stream = g_file_read(m_file, nullptr, &error);
    m_streamAt = 0;
    if (m_stream == nullptr)
        throwGioError(error);
}

void ViewedFile::readsInOrder()
{
    if (m_fd.valid())
        ::posix_fadvise(m_fd.get(), 0, 0, POSIX_FADV_SEQUENTIAL);
}

size_t ViewedFile::read(void *into, size_t count, qint64 offset)
{
    if (m_stream != nullptr)
        return readFromStream(static_cast<char *>(into), count, offset);
    const ssize_t done = posix::preadFull(m_fd.get(), into, count, static_cast<off_t>(offset));
    if (done < 0)
        throw OsError::last();
    return size_t(done);
}

size_t ViewedFile::readFromStream(char *into, size_t count, qint64 offset)
{
    GError *error = nullptr;
    if (offset != m_streamAt) {
        auto *seekable = G_SEEKABLE(m_stream);
        if (g_seekable_can_seek(seekable)) {
            if (!g_seekable_seek(seekable, offset, G_SEEK_SET, nullptr, &error))
                throwGioError(error);
        } else {
            // An archive's stream only goes forward.
            if (offset < m_streamAt)
                openStream();
            while (m_streamAt < offset) {
                const gssize skipped =
                    g_input_stream_skip(G_INPUT_STREAM(m_stream), gsize(offset - m_streamAt), nullptr, &error);
                if (skipped < 0)
                    throwGioError(error);
                if (skipped == 0)
                    return 0;
                m_streamAt += skipped;
            }
        }
        m_streamAt = offset;
    }
    gsize done = 0;
    if (!g_input_stream_read_all(G_INPUT_STREAM(m_stream), into, count, &done, nullptr, &error))
        throwGioError(error);
    m_streamAt += qint64(done);
    return size_t(done);
}

} // namespace quil
