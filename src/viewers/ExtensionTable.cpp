#include "viewers/ExtensionTable.h"

#include "platform/SettingsFiles.h"
#include "platform/TextFormat.h"

#include <QFileInfo>

namespace quil {

void ExtensionTable::add(QString extension, const QString &program)
{
    if (!extension.startsWith(QLatin1Char('.')))
        extension.prepend(QLatin1Char('.'));
    m_rows.append({extension, program});
}

void ExtensionTable::remove(int index)
{
    if (index >= 0 && index < m_rows.size())
        m_rows.removeAt(index);
}

QString ExtensionTable::programFor(const QString &extension) const
{
    for (const Row &row : m_rows)
        if (trimControls(row.extension) == extension)
            return row.program;
    return {};
}

bool ExtensionTable::load(const QString &path)
{
    if (!QFileInfo::exists(path))
        return false;
    const QStringList lines = readSettingsLines(path);
    QList<Row> rows;
    for (qsizetype i = 0; i < lines.size(); i += 2)
        rows.append({lines[i], i + 1 < lines.size() ? lines[i + 1] : QString()});
    m_rows = rows;
    return true;
}

void ExtensionTable::save(const QString &path) const
{
    QStringList lines;
    for (const Row &row : m_rows) {
        lines.append(row.extension);
        lines.append(row.program);
    }
    writeSettingsLines(path, lines);
}

QString extensionOf(const QString &fileName)
{
    const qsizetype dot = fileName.lastIndexOf(QLatin1Char('.'));
    return dot < 0 ? QString() : fileName.mid(dot);
}

} // namespace quil
