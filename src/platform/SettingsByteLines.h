#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

namespace quil {

// readSettingsLines and writeSettingsLines (SettingsFiles.h) for lines of the
// system's bytes, such as file names that are not valid UTF-8 (NativePath):
// the same line ends, limits, errors and atomic replacement.
QList<QByteArray> readSettingsByteLines(const QString &path);
void writeSettingsByteLines(const QString &path, const QList<QByteArray> &lines);

} // namespace quil
