#include "platform/Volume.h"

namespace quil {

QString Volume::displayName() const
{
    const QString name = label.isEmpty() ? QStringLiteral("Диск") : label;
    return name + QStringLiteral(" (") + mountPoint + QLatin1Char(')');
}

} // namespace quil
