#include "platform/FileUri.h"

#include "platform/NativePath.h"

#include <glib.h>

namespace quil {

namespace {

bool isThisMachine(const char *host)
{
    if (host == nullptr || *host == '\0')
        return true;
    // Host names compare without regard to case.
    return g_ascii_strcasecmp(host, "localhost") == 0 || g_ascii_strcasecmp(host, g_get_host_name()) == 0;
}

} // namespace

bool isFileUri(QByteArrayView text)
{
    return text.size() >= 5 && g_ascii_strncasecmp(text.data(), "file:", 5) == 0;
}

FileUriPath pathOfFileUri(QByteArrayView uri)
{
    FileUriPath result;
    const QByteArray text = uri.toByteArray();
    gchar *host = nullptr;
    gchar *name = g_filename_from_uri(text.constData(), &host, nullptr);
    if (name != nullptr) {
        if (isThisMachine(host))
            result.path = fromNative(QByteArrayView(name));
        else
            result.otherHost = true;
    }
    g_free(host);
    g_free(name);
    return result;
}

} // namespace quil
