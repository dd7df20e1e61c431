#include "platform/Volume.h"
#include <QCoreApplication>

namespace quil {

QString Volume::displayName() const
{
    const QString name = label.isEmpty() ? QCoreApplication::translate("Volume", "Диск") : label;
    return name + QStringLiteral(" (") + mountPoint + QLatin1Char(')');
}

} // namespace quil
