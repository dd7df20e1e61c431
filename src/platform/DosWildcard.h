#pragma once

#include <QString>

namespace quil {

// The file system's wildcard rules of a directory search, as the Windows file
// system applies them: letter case is ignored; "?" matches one character, or
// none before a "." or at the end of the name; a "." before "?", "*" or at the
// end of the pattern also matches the end of a name without a dot; a "*"
// before a "." matches up to the last "." of the name. So "*.*" matches every
// name, "*." the names without an extension, and "abc.*" both abc and abc.txt.
class DosWildcard
{
public:
    explicit DosWildcard(const QString &pattern);

    // O(name x pattern).
    bool matches(const QString &name) const;

private:
    // The pattern with the three rewritten wildcards; see the .cpp.
    QString m_pattern;
    bool m_matchesAll = false;
};

} // namespace quil
