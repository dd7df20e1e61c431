#include "platform/BytePath.h"

namespace quil::bytepath {

QByteArray stripTrailingSlashes(QByteArrayView path)
{
    while (path.size() > 1 && path.endsWith('/'))
        path.chop(1);
    return path.toByteArray();
}

QByteArray fileName(QByteArrayView path)
{
    const QByteArray stripped = stripTrailingSlashes(path);
    if (stripped == "/")
        return {};
    return stripped.mid(stripped.lastIndexOf('/') + 1);
}

QByteArray parent(QByteArrayView path)
{
    const QByteArray stripped = stripTrailingSlashes(path);
    const qsizetype slash = stripped.lastIndexOf('/');
    if (slash < 0)
        return QByteArrayLiteral(".");
    if (slash == 0)
        return QByteArrayLiteral("/");
    return stripped.left(slash);
}

QByteArray join(QByteArrayView folder, QByteArrayView name)
{
    QByteArray out = folder.toByteArray();
    if (!out.isEmpty() && !out.endsWith('/'))
        out += '/';
    return out + name.toByteArray();
}

bool isAtOrBelow(QByteArrayView path, QByteArrayView folder)
{
    if (folder == "/")
        return path.startsWith('/');
    return path.startsWith(folder) && (path.size() == folder.size() || path[folder.size()] == '/');
}

bool isBadName(QByteArrayView name)
{
    return name.isEmpty() || name == "." || name == ".." || name.contains('/') || name.contains('\0');
}

} // namespace quil::bytepath
