#pragma once

#include <QHash>
#include <QString>

namespace quil {

// Type texts of file names for sorting many names by type. The MIME glob
// patterns of the database are examined once per process; names that no
// pattern can tell apart (the same text from the character before their
// first dot on, and the same last few characters) share one lookup. A name
// that some name-, prefix- or length-bound pattern might match is looked up
// on its own. Not thread-safe: one per thread.
class FileTypeCache
{
public:
    // Exactly ShellNamespace::fileTypeText(fileName). One glob lookup
    // per group of names; a hash lookup for the others.
    QString typeText(const QString &fileName);

    // Whether the patterns have been examined in this process: the first
    // cache costs a reading of the whole MIME database (some 100 ms), worth
    // it for folders of many thousand names only.
    static bool patternsExamined();

    // Sets group to the text that stands for fileName's group; false when
    // fileName must be looked up on its own. Examines the patterns on the
    // first call in the process. Public for tests.
    static bool groupOf(const QString &fileName, QString &group);

private:
    QHash<QString, QString> m_texts;
};

} // namespace quil
