#include "platform/OsError.h"

#include <cerrno>
#include <cstring>

namespace quil {

QuilError::QuilError(QString message) : m_message(std::move(message)), m_utf8(m_message.toStdString()) {}

OsError::OsError(int code) : QuilError(osErrorText(code)), m_code(code) {}

OsError OsError::last()
{
    return OsError(errno);
}

QString osErrorText(int code)
{
    if (code == 0)
        return QStringLiteral("A call to an OS function failed");
    return QStringLiteral("System Error.  Code: %1.\r\n%2").arg(code).arg(QString::fromLocal8Bit(std::strerror(code)));
}

} // namespace quil
