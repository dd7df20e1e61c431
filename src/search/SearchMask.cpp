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
    for (QChar c : m_mask) {
        const char16_t u = c.unicode();
        if (u >= 0x80 || u == '*' || u == '?' || u == '.' || u == 0)
            break;
        m_literalPrefix.append(static_cast<char>(u >= 'a' && u <= 'z' ? u - 32 : u));
    }
    if (m_mask.startsWith(QLatin1String("*.")) && m_mask.size() > 2) {
        // "*" before "." runs up to the name's last ".", so "*.X" holds when
        // the name has a "." and X is what follows the last one.
        m_plainExtensionMask = true;
        for (QChar c : QStringView(m_mask).mid(2)) {
            const char16_t u = c.unicode();
            if (u >= 0x80 || u == '*' || u == '?' || u == '.' || u == 0) {
                m_plainExtensionMask = false;
                break;
            }
            m_plainExtension.append(static_cast<char>(u >= 'a' && u <= 'z' ? u - 32 : u));
        }
    }
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
    if (m_plainExtensionMask) {
        const qsizetype dot = nativeName.lastIndexOf('.');
        if (dot < 0)
            return false;
        const QByteArrayView tail = nativeName.sliced(dot + 1);
        bool asciiTail = true;
        for (char c : tail)
            asciiTail = asciiTail && static_cast<unsigned char>(c) < 0x80;
        // Letters beyond ASCII may fold onto ASCII ones (U+0131 onto I): the
        // general matcher decides those.
        if (asciiTail) {
            if (tail.size() != m_plainExtension.size())
                return false;
            for (qsizetype i = 0; i < tail.size(); ++i) {
                char c = tail[i];
                if (c >= 'a' && c <= 'z')
                    c = static_cast<char>(c - 32);
                if (c != m_plainExtension[i])
                    return false;
            }
            return true;
        }
    }
    bool ascii = true;
    for (char c : nativeName)
        if (static_cast<unsigned char>(c) >= 0x80) {
            ascii = false;
            break;
        }
    if (!ascii)
        return m_wildcard.matches(fromNative(nativeName));
    if (nativeName.size() < m_literalPrefix.size())
        return false;
    for (qsizetype i = 0; i < m_literalPrefix.size(); ++i) {
        char c = nativeName[i];
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 32);
        if (c != m_literalPrefix[i])
            return false;
    }
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
