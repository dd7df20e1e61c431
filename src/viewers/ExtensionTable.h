#pragma once

#include <QList>
#include <QString>

namespace quil {

// The extension table: ordered rows of an extension (as entered, normally with
// its dot) and a program path. Rows keep their order; duplicates are allowed
// and the first matching row wins.
class ExtensionTable
{
public:
    struct Row
    {
        QString extension;
        QString program;
        bool operator==(const Row &) const = default;
    };

    const QList<Row> &rows() const { return m_rows; }
    int size() const { return int(m_rows.size()); }

    // Adds a row; an extension that does not begin with "." gets one in front.
    void add(QString extension, const QString &program);
    void append(const Row &row) { m_rows.append(row); }
    void remove(int index);
    void clear() { m_rows.clear(); }

    // The program for a file extension given with its dot (empty when the
    // name has none): the first row whose extension, trimmed of blanks and
    // control characters, equals it exactly (case matters). Empty when no row
    // matches or the matching row has no program. O(rows).
    QString programFor(const QString &extension) const;

    // quil.ext: two lines a row (extension, program), CR LF. Loading a missing
    // file leaves the rows unchanged and returns false; an odd last line gives
    // a row with an empty program. I/O failures raise QuilError; a failed
    // load keeps the rows as they were.
    bool load(const QString &path);
    void save(const QString &path) const;

private:
    QList<Row> m_rows;
};

// The extension of a file name with its dot: from the last "." to the end, or
// empty when the name has no dot.
QString extensionOf(const QString &fileName);

} // namespace quil
