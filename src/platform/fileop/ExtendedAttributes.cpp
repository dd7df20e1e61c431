#include "platform/fileop/ExtendedAttributes.h"

#include <QByteArray>

#include <cerrno>
#include <cstring>
#include <sys/xattr.h>

namespace quil::fileop {

namespace {

bool isKept(const char *name)
{
    return std::strncmp(name, "user.", 5) == 0 || std::strcmp(name, "system.posix_acl_access") == 0 ||
           std::strcmp(name, "system.posix_acl_default") == 0;
}

// The names of the item's attributes, each ended by a zero byte; empty when
// it has none or they cannot be read.
QByteArray attributeNames(int fd)
{
    QByteArray names(256, '\0');
    for (;;) {
        const ssize_t n = ::flistxattr(fd, names.data(), size_t(names.size()));
        if (n >= 0) {
            names.truncate(n);
            return names;
        }
        if (errno != ERANGE)
            return {};
        const ssize_t needed = ::flistxattr(fd, nullptr, 0);
        if (needed < 0)
            return {};
        names.resize(qsizetype(needed) + 1);
    }
}

bool readAttribute(int fd, const char *name, QByteArray &value)
{
    for (int tries = 0; tries < 4; ++tries) {
        const ssize_t needed = ::fgetxattr(fd, name, nullptr, 0);
        if (needed < 0)
            return false;
        value.resize(qsizetype(needed));
        const ssize_t n = ::fgetxattr(fd, name, value.data(), size_t(value.size()));
        if (n >= 0) {
            value.truncate(n);
            return true;
        }
        if (errno != ERANGE)
            return false;
        // It grew meanwhile: measured again.
    }
    return false;
}

} // namespace

void copyExtendedAttributes(int from, int to)
{
    const QByteArray names = attributeNames(from);
    QByteArray value;
    for (qsizetype at = 0; at < names.size();) {
        const char *name = names.constData() + at;
        at += qsizetype(std::strlen(name)) + 1;
        if (isKept(name) && readAttribute(from, name, value))
            ::fsetxattr(to, name, value.constData(), size_t(value.size()), 0);
    }
}

bool mayHaveDefaultAcl(int folder)
{
    if (::fgetxattr(folder, "system.posix_acl_default", nullptr, 0) >= 0)
        return true;
    return errno != ENODATA && errno != ENOTSUP;
}

} // namespace quil::fileop
