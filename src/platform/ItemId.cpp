#include "platform/ItemId.h"

#include "platform/LocationUri.h"

namespace quil {

ItemId ItemId::computer()
{
    return ItemId(Kind::Computer, {});
}

ItemId ItemId::fromPath(const QString &absolutePath)
{
    return ItemId(Kind::Path, absolutePath);
}

ItemId ItemId::volume(const QString &mountPoint)
{
    return ItemId(Kind::Volume, mountPoint);
}

ItemId ItemId::location(const QString &uri)
{
    return ItemId(Kind::Location, uri);
}

QString ItemId::fileName() const
{
    if (m_path.isEmpty())
        return {};
    if (m_kind == Kind::Location)
        return gioLocationName(m_path);
    if (m_path == QLatin1String("/"))
        return m_path;
    return m_path.mid(m_path.lastIndexOf(QLatin1Char('/')) + 1);
}

} // namespace quil
