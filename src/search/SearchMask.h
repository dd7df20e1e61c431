#pragma once

#include "platform/DosWildcard.h"

#include <QByteArrayView>
#include <QString>

namespace quil {

// The name test of one search, built from the name and extension fields.
// The mask is N + "." + X of the trimmed fields. A name whose first character
// (untrimmed) is "*" and which is longer than one character switches on
// fragment mode: the mask becomes "*." + X and NameFragment is the trimmed
// name less its first character, looked for (ASCII letters in either case) in
// the entry's whole path less its last length-of-X characters.
class SearchMask
{
public:
    SearchMask(const QString &name, const QString &extension);

    QString mask() const { return m_mask; }
    bool fragmentMode() const { return m_fragmentMode; }
    QString NameFragment() const { return m_fragment; }

    // The file system's wildcard test of one entry name (native bytes, names
    // that are not valid UTF-8 included). No allocation for ASCII names.
    bool matchesName(QByteArrayView nativeName);
    // The fragment test of one full path. An empty fragment is never found.
    bool matchesFragment(const QString &path) const;

private:
    QString m_mask;
    DosWildcard m_wildcard;
    bool m_matchesAll = false;
    // For masks "*.X" with a plain ASCII X: the bytes of X in upper case,
    // tested against what follows a name's last "." without a wildcard run.
    QByteArray m_plainExtension;
    bool m_plainExtensionMask = false;
    // The ASCII letters the mask begins with before its first wildcard or
    // ".", in upper case: an ASCII name must begin with them.
    QByteArray m_literalPrefix;
    bool m_fragmentMode = false;
    QString m_fragment; // in ASCII upper case
    qsizetype m_cut = 0;
    QString m_name; // reused for the names tested
};

} // namespace quil
