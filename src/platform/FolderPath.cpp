#include "platform/FolderPath.h"

#include <algorithm>

namespace quil {

namespace {

const QLatin1StringView kLocationMark(":///");

} // namespace

FolderPath::FolderPath(const QString &text) : m_path(text)
{
    const qsizetype keep = std::max<qsizetype>(rootLength(), 1);
    while (m_path.size() > keep && m_path.endsWith(QLatin1Char('/')))
        m_path.chop(1);
}

qsizetype FolderPath::rootLength() const
{
    if (m_path.startsWith(QLatin1Char('/')))
        return 1;
    const qsizetype mark = m_path.indexOf(kLocationMark);
    return mark > 0 ? mark + kLocationMark.size() : 0;
}

bool FolderPath::isRoot() const
{
    return !m_path.isEmpty() && m_path.size() == rootLength();
}

QString FolderPath::withTrailingSlash() const
{
    return m_path.isEmpty() || m_path.endsWith(QLatin1Char('/')) ? m_path : m_path + QLatin1Char('/');
}

QString FolderPath::filePath(QStringView name) const
{
    QString path = withTrailingSlash();
    path.append(name);
    return path;
}

FolderPath FolderPath::parent() const
{
    if (isRoot())
        return *this;
    const qsizetype slash = m_path.lastIndexOf(QLatin1Char('/'));
    if (slash < 0)
        return {};
    return FolderPath(m_path.left(std::max(slash, rootLength())));
}

QString FolderPath::lastName() const
{
    if (isRoot())
        return {};
    return m_path.mid(m_path.lastIndexOf(QLatin1Char('/')) + 1);
}

bool FolderPath::contains(const FolderPath &other) const
{
    if (isEmpty() || !other.m_path.startsWith(m_path))
        return false;
    return other.m_path.size() == m_path.size() || isRoot() || other.m_path.at(m_path.size()) == QLatin1Char('/');
}

} // namespace quil
