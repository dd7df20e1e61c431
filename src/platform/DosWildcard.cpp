#include "platform/DosWildcard.h"

#include <vector>

namespace quil {

namespace {

// The rewritten wildcards, in code points no file name uses for them.
constexpr char16_t kDosStar = 0xE000; // "*" before a "."
constexpr char16_t kDosQm = 0xE001;   // every "?"
constexpr char16_t kDosDot = 0xE002;  // "." before "?", "*" or the end

bool sameLetter(QChar a, QChar b)
{
    return a == b || a.toUpper() == b.toUpper();
}

} // namespace

DosWildcard::DosWildcard(const QString &pattern)
{
    m_matchesAll = pattern == QLatin1String("*") || pattern == QLatin1String("*.*");
    m_pattern.reserve(pattern.size());
    for (qsizetype i = 0; i < pattern.size(); ++i) {
        const QChar c = pattern[i];
        const QChar next = i + 1 < pattern.size() ? pattern[i + 1] : QChar();
        if (c == QLatin1Char('?'))
            m_pattern.append(QChar(kDosQm));
        else if (c == QLatin1Char('.') && (next.isNull() || next == QLatin1Char('?') || next == QLatin1Char('*')))
            m_pattern.append(QChar(kDosDot));
        else if (c == QLatin1Char('*') && next == QLatin1Char('.'))
            m_pattern.append(QChar(kDosStar));
        else
            m_pattern.append(c);
    }
}

bool DosWildcard::matches(const QString &name) const
{
    if (m_matchesAll)
        return true;
    const qsizetype patternSize = m_pattern.size();
    const qsizetype nameSize = name.size();
    const qsizetype lastDot = name.lastIndexOf(QLatin1Char('.'));
    // match[p][n]: pattern from p matches name from n; filled from the ends.
    const qsizetype width = nameSize + 1;
    thread_local std::vector<unsigned char> table;
    table.assign(size_t((patternSize + 1) * width), 0);
    auto at = [&](qsizetype p, qsizetype n) -> unsigned char & { return table[size_t(p * width + n)]; };
    at(patternSize, nameSize) = 1;
    for (qsizetype p = patternSize - 1; p >= 0; --p) {
        const char16_t c = m_pattern[p].unicode();
        for (qsizetype n = nameSize; n >= 0; --n) {
            const bool more = n < nameSize;
            bool result = false;
            switch (c) {
            case u'*':
                result = at(p + 1, n) || (more && at(p, n + 1));
                break;
            case kDosStar:
                result = at(p + 1, n) || (more && (lastDot < 0 || n < lastDot) && at(p, n + 1));
                break;
            case kDosQm:
                if (!more || name[n] == QLatin1Char('.')) {
                    qsizetype q = p;
                    while (q < patternSize && m_pattern[q].unicode() == kDosQm)
                        ++q;
                    result = at(q, n);
                } else {
                    result = at(p + 1, n + 1);
                }
                break;
            case kDosDot:
                result = more ? (name[n] == QLatin1Char('.') && at(p + 1, n + 1)) : bool(at(p + 1, n));
                break;
            default:
                result = more && sameLetter(name[n], QChar(c)) && at(p + 1, n + 1);
                break;
            }
            at(p, n) = result;
        }
    }
    return at(0, 0);
}

} // namespace quil
