#include "fileops/PanelFolder.h"

#include "listing/PathText.h"
#include "platform/NativePath.h"
#include "platform/fileop/UndoJournal.h"

#include <QCollator>

#include <algorithm>
#include <dirent.h>
#include <sys/stat.h>

namespace quil {

namespace {

void sortByName(QStringList &paths)
{
    const PanelNameOrder order;
    std::vector<std::pair<QCollatorSortKey, QString>> keyed;
    keyed.reserve(paths.size());
    for (const QString &path : paths)
        keyed.emplace_back(order.key(path), path);
    std::stable_sort(keyed.begin(), keyed.end(),
                     [](const auto &a, const auto &b) { return a.first.compare(b.first) < 0; });
    paths.clear();
    for (auto &entry : keyed)
        paths.append(std::move(entry.second));
}

} // namespace

PanelNameOrder::PanelNameOrder()
{
    m_collator.setCaseSensitivity(Qt::CaseInsensitive);
}

QCollatorSortKey PanelNameOrder::key(const QString &path) const
{
    // Folded first: the C locale's collation would not ignore case.
    return m_collator.sortKey(path.toCaseFolded());
}

qsizetype PanelNameOrder::placeOf(const QStringList &paths, const QString &path) const
{
    const QCollatorSortKey placed = key(path);
    return std::upper_bound(paths.begin(), paths.end(), placed,
                            [this](const QCollatorSortKey &a, const QString &b) { return a.compare(key(b)) < 0; }) -
           paths.begin();
}

PanelFolderListing readPanelFolder(const FolderPath &folder)
{
    PanelFolderListing result;
    DIR *dir = ::opendir(toNative(folder.path()).constData());
    if (dir == nullptr)
        return result;
    const int dirFd = ::dirfd(dir);
    while (const dirent *entry = ::readdir(dir)) {
        const QByteArray name(entry->d_name);
        if (name == "." || name == "..")
            continue;
        // A link to a folder counts as a folder, as the directory attribute
        // says; only links and entries of unknown type cost a stat.
        bool isFolder = entry->d_type == DT_DIR;
        if (entry->d_type == DT_LNK || entry->d_type == DT_UNKNOWN) {
            struct stat info
            {
            };
            isFolder = ::fstatat(dirFd, entry->d_name, &info, 0) == 0 && S_ISDIR(info.st_mode);
        }
        (isFolder ? result.folders : result.files).append(folder.filePath(fromNative(name)));
    }
    ::closedir(dir);
    sortByName(result.folders);
    sortByName(result.files);
    return result;
}

QString LastFolderName(const QString &path)
{
    return path == QLatin1String("/") ? path : splitLastName(path).name;
}

bool isRefusedNewName(const QString &name)
{
    return name.isEmpty() || name == QLatin1String(".") || name == QLatin1String("..") ||
           name.contains(QLatin1Char('/')) || name.contains(QChar(0));
}

bool createOneFolder(const FolderPath &folder, const QString &name)
{
    // A virtual folder ("computer:///") has no place for a folder.
    if (isRefusedNewName(name) || !folder.isLocal())
        return false;
    const QByteArray path = toNative(folder.filePath(name));
    if (::mkdir(path.constData(), 0777) != 0)
        return false;
    UndoJournal::session().recordCreatedFolder(path);
    return true;
}

QString createdFolderName(const QString &typed)
{
    QString name = typed;
    while (name.endsWith(QLatin1Char(' ')) || name.endsWith(QLatin1Char('.')))
        name.chop(1);
    return name;
}

} // namespace quil
