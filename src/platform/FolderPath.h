#pragma once

#include <QString>
#include <QStringView>

namespace quil {

// A folder's path in one spelling: no trailing "/" except for a root ("/",
// or a location root such as "computer:///"), so that joining a name, going
// up and taking the last name never test for a "/" by hand. Text only: it
// never touches the disk.
class FolderPath
{
public:
    FolderPath() = default;
    // Any spelling of a folder: "/home/ann", "/home/ann/" and "/home/ann//"
    // give the same path.
    explicit FolderPath(const QString &text);

    static FolderPath root() { return FolderPath(QStringLiteral("/")); }

    bool isEmpty() const { return m_path.isEmpty(); }
    // "/" or a location root such as "computer:///".
    bool isRoot() const;
    // Whether it lies in the file system (a location such as "computer:///" does not).
    bool isLocal() const { return m_path.startsWith(QLatin1Char('/')); }

    // "/home/ann"; "/" for the root.
    const QString &path() const { return m_path; }
    // "/home/ann/"; "/" for the root: how the path box and the messages show a folder.
    QString withTrailingSlash() const;

    // The path of an entry of this folder: "/home/ann" + "x" gives "/home/ann/x", "/" + "x" gives "/x".
    QString filePath(QStringView name) const;
    FolderPath child(QStringView name) const { return FolderPath(filePath(name)); }
    // "/home/ann" gives "/home", "/home" gives "/"; a root is its own parent,
    // and a relative name without "/" has an empty parent.
    FolderPath parent() const;
    // "/home/ann" gives "ann"; empty for a root.
    QString lastName() const;
    // Whether other is this folder or lies below it; "/home/an" does not contain "/home/ann".
    bool contains(const FolderPath &other) const;

    friend bool operator==(const FolderPath &, const FolderPath &) = default;

private:
    // The length of the leading part that is never stripped: 1 for "/", the
    // whole "scheme:///" of a location.
    qsizetype rootLength() const;

    QString m_path;
};

} // namespace quil
