#pragma once

#include <QHashFunctions>
#include <QString>

namespace quil {

// Identifies one item of the namespace: the desktop (the root, an empty
// identifier), the computer folder that holds the volumes, a volume as the
// computer folder lists it, or a file-system item by absolute path. A value
// type: copy it freely. Paths hold the system's bytes through fromNative, so
// names that are not valid UTF-8 survive (convert with toNative for calls).
class ItemId
{
public:
    enum class Kind : unsigned char { Desktop, Computer, Volume, Path, Location };

    // The desktop root.
    ItemId() = default;
    static ItemId desktop() { return {}; }
    static ItemId computer();
    // A file-system item. The path must be absolute and clean (no "//", no
    // "." or ".." items, no trailing "/" except for the root); not checked
    // against the disk.
    static ItemId fromPath(const QString &absolutePath);
    // A volume item of the computer folder, named by its mount point.
    static ItemId volume(const QString &mountPoint);
    // An item of a GIO location (network folder, trash, archive) by its URI;
    // a folder's URI ends with "/".
    static ItemId location(const QString &uri);

    Kind kind() const { return m_kind; }
    bool isEmpty() const { return m_kind == Kind::Desktop; }
    bool isComputer() const { return m_kind == Kind::Computer; }
    // A file-system item or a volume: something with a path.
    bool isFileSystem() const { return m_kind == Kind::Path || m_kind == Kind::Volume; }
    bool isLocation() const { return m_kind == Kind::Location; }

    // The absolute path of a file-system item, the mount point of a volume or
    // the URI of a location; empty for the desktop and the computer folder.
    const QString &path() const { return m_path; }
    // The last item of the path (the file name); "/" for the root, empty for
    // the desktop, the computer folder and a location's top.
    QString fileName() const;

    friend bool operator==(const ItemId &a, const ItemId &b) { return a.m_kind == b.m_kind && a.m_path == b.m_path; }
    friend bool operator!=(const ItemId &a, const ItemId &b) { return !(a == b); }
    friend size_t qHash(const ItemId &id, size_t seed = 0) { return qHashMulti(seed, int(id.m_kind), id.m_path); }

private:
    ItemId(Kind kind, QString path) : m_kind(kind), m_path(std::move(path)) {}

    Kind m_kind = Kind::Desktop;
    QString m_path;
};

} // namespace quil
