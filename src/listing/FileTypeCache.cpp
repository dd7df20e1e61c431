#include "listing/FileTypeCache.h"

#include "platform/ShellNamespace.h"

#include <QMimeDatabase>
#include <QSet>
#include <QStringList>
#include <algorithm>
#include <atomic>

namespace quil {

namespace {

// What the glob patterns of the database let a group depend on.
struct GlobBounds
{
    // False when some pattern defeats the grouping; every name is then
    // looked up on its own.
    bool usable = true;
    // Names shorter than this are their own group; longer ones keep at least
    // this many last characters in their group (patterns like "*~", "*,v",
    // and one character for their "*").
    qsizetype tail = 0;
    // Lower-case literal beginnings of patterns that do not begin with "*"
    // ("makefile", "readme*"): names beginning so are looked up on their own.
    QStringList prefixes;
    // Lengths of names that a pattern of fixed length without a literal
    // beginning ("[0-9][0-9][0-9].vdr") may match.
    QSet<qsizetype> lengths;
};

// Characters a pattern without "*" matches ("[...]" and "?" count one);
// -1 for a pattern with "*" or one that cannot be read.
qsizetype fixedLength(QStringView pattern)
{
    qsizetype length = 0;
    for (qsizetype i = 0; i < pattern.size(); ++i) {
        const QChar c = pattern.at(i);
        if (c == u'*' || c == u'\\')
            return -1;
        if (c == u'[') {
            // A class: its first character may be "]" or "!" and still belong to it.
            qsizetype close = i + 1;
            if (close < pattern.size() && (pattern.at(close) == u'!' || pattern.at(close) == u'^'))
                ++close;
            if (close < pattern.size() && pattern.at(close) == u']')
                ++close;
            while (close < pattern.size() && pattern.at(close) != u']')
                ++close;
            if (close >= pattern.size())
                return -1;
            i = close;
        }
        ++length;
    }
    return length;
}

bool hasClassOrAny(QStringView pattern)
{
    return pattern.contains(u'[') || pattern.contains(u'?');
}

GlobBounds examineGlobs()
{
    GlobBounds bounds;
    QSet<QString> prefixes;
    const QList<QMimeType> types = QMimeDatabase().allMimeTypes();
    for (const QMimeType &type : types) {
        for (const QString &pattern : type.globPatterns()) {
            if (pattern.isEmpty())
                continue;
            if (pattern.contains(u'\\')) {
                bounds.usable = false;
                continue;
            }
            // "*.ext", "*.tar.gz", "*.so.[0-9]*": the dot they begin with
            // lies in the name's text from its first dot on.
            if (pattern.startsWith(QLatin1String("*.")))
                continue;
            if (pattern.startsWith(u'*')) {
                const QStringView rest = QStringView(pattern).mid(1);
                const qsizetype length = fixedLength(rest);
                if (length < 0) {
                    bounds.usable = false;
                    continue;
                }
                // "?" and "[...]" may match a character of two UTF-16 units.
                // One character more: whether anything is left for the "*".
                bounds.tail = std::max(bounds.tail, (hasClassOrAny(rest) ? 2 * length : length) + 1);
                continue;
            }
            qsizetype wild = 0;
            while (wild < pattern.size() && pattern.at(wild) != u'*' && pattern.at(wild) != u'?' &&
                   pattern.at(wild) != u'[')
                ++wild;
            const QString prefix = pattern.left(wild).toLower();
            if (!prefix.isEmpty()) {
                prefixes.insert(prefix);
                continue;
            }
            const qsizetype length = fixedLength(pattern);
            if (length < 0)
                bounds.usable = false;
            else
                bounds.lengths.insert(length);
        }
    }
    bounds.prefixes = QStringList(prefixes.begin(), prefixes.end());
    return bounds;
}

std::atomic<bool> globsExamined{false};

const GlobBounds &globBounds()
{
    static const GlobBounds bounds = [] {
        GlobBounds examined = examineGlobs();
        globsExamined = true;
        return examined;
    }();
    return bounds;
}

qsizetype codePoints(const QString &text)
{
    qsizetype count = 0;
    for (qsizetype i = 0; i < text.size(); ++i)
        if (!text.at(i).isLowSurrogate())
            ++count;
    return count;
}

} // namespace

bool FileTypeCache::patternsExamined()
{
    return globsExamined;
}

bool FileTypeCache::groupOf(const QString &fileName, QString &group)
{
    const GlobBounds &bounds = globBounds();
    if (!bounds.usable)
        return false;
    if (bounds.lengths.contains(fileName.size()) || bounds.lengths.contains(codePoints(fileName)))
        return false;
    const QString lower = fileName.toLower();
    for (const QString &prefix : bounds.prefixes)
        if (lower.startsWith(prefix))
            return false;
    // Every dot of the name lies in its group with the character before the
    // first one (a "*" matches something before it, or nothing, as in
    // ".txt"), and at least the last bounds.tail characters.
    const qsizetype firstDot = fileName.indexOf(u'.');
    qsizetype kept = firstDot < 0 ? 0 : fileName.size() - firstDot + 1;
    kept = std::min(std::max(kept, bounds.tail), fileName.size());
    group = fileName.right(kept);
    return true;
}

QString FileTypeCache::typeText(const QString &fileName)
{
    QString group;
    if (!groupOf(fileName, group))
        return ShellNamespace::fileTypeText(fileName);
    const auto found = m_texts.constFind(group);
    if (found != m_texts.constEnd())
        return *found;
    const QString text = ShellNamespace::fileTypeText(fileName);
    m_texts.insert(group, text);
    return text;
}

} // namespace quil
