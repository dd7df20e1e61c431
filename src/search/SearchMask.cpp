#include "search/SearchMask.h"

#include "platform/NativePath.h"
#include "platform/TextFormat.h"

namespace quil {

namespace {

QString buildMask(const QString &name, const QString &extension)
{
    const QString n = trimControls(name);
    const QString x = trimControls(extension);
    if (!name.isEmpty() && name.front() == QLatin1Char('*') && name.size() > 1)
        return QStringLiteral("*.") + x;
    return n + QLatin1Char('.') + x;
}

void asciiUpper(QString &text)
{
    for (QChar &c : text)
        if (c.unicode() >= 'a' && c.unicode() <= 'z')
            c = QChar(char16_t(c.unicode() - 32));
}

} // namespace

SearchMask::SearchMask(const QString &name, const QString &extension)
    : m_mask(buildMask(name, extension)), m_wildcard(m_mask)
{
    m_matchesAll = m_mask == QLatin1String("*.*") || m_mask == QLatin1String("*");
    if (!name.isEmpty() && name.front() == QLatin1Char('*') && name.size() > 1) {
        m_fragmentMode = true;
        m_fragment = trimControls(name).mid(1);
        asciiUpper(m_fragment);
        m_cut = trimControls(extension).size();
    }
}

bool SearchMask::matchesName(QByteArrayView nativeName)
{
    if (m_matchesAll)
        return true;
    bool ascii = true;
    for (char c : nativeName)
        if (static_cast<unsigned char>(c) >= 0x80) {
            ascii = false;
            break;
        }
    if (!ascii)
        return m_wildcard.matches(fromNative(nativeName));
    // Filled in place: a resize within the capacity does not allocate.
    m_name.resize(nativeName.size());
    QChar *out = m_name.data();
    for (qsizetype i = 0; i < nativeName.size(); ++i)
        out[i] = QLatin1Char(nativeName[i]);
    return m_wildcard.matches(m_name);
}

bool SearchMask::matchesFragment(const QString &path) const
{
    if (m_fragment.isEmpty())
        return false;
    QString rest = path.left(qMax<qsizetype>(0, path.size() - m_cut));
    asciiUpper(rest);
    return rest.contains(m_fragment);
}

} // namespace quil
