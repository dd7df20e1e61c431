#include "fileops/PanelFolder.h"

#include "listing/PathText.h"
#include "platform/LocationUri.h"
#include "platform/NativePath.h"
#include "platform/fileop/UndoJournal.h"
#include "platform/gio/GObjectRef.h"

#include <QCollator>

#include <algorithm>
#include <dirent.h>
#include <gio/gio.h>
#include <numeric>
#include <sys/stat.h>
#include <thread>
#include <utility>

namespace quil {

namespace {

// Above this many names the keys are made on two threads.
constexpr qsizetype kKeysOnTwoThreads = 20000;

std::vector<QCollatorSortKey> keysOf(const QStringList &paths, qsizetype from, qsizetype to)
{
    // A collator of its own: one is not to be shared by threads.
    const PanelNameOrder order;
    std::vector<QCollatorSortKey> keys;
    keys.reserve(size_t(to - from));
    for (qsizetype i = from; i < to; ++i)
        keys.push_back(order.key(paths.at(i)));
    return keys;
}

void sortByName(QStringList &paths)
{
    const qsizetype half = paths.size() > kKeysOnTwoThreads ? paths.size() / 2 : 0;
    std::vector<QCollatorSortKey> firstKeys;
    std::thread firstHalf;
    if (half > 0)
        firstHalf = std::thread([&] { firstKeys = keysOf(paths, 0, half); });
    std::vector<QCollatorSortKey> keys = keysOf(paths, half, paths.size());
    if (firstHalf.joinable()) {
        firstHalf.join();
        keys.insert(keys.begin(), std::make_move_iterator(firstKeys.begin()), std::make_move_iterator(firstKeys.end()));
    }
    std::vector<qsizetype> order(size_t(paths.size()));
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(),
                     [&keys](qsizetype a, qsizetype b) { return keys[size_t(a)].compare(keys[size_t(b)]) < 0; });
    QStringList sorted;
    sorted.reserve(paths.size());
    for (const qsizetype index : order)
        sorted.append(std::move(paths[index]));
    paths = std::move(sorted);
}

} // namespace

PanelNameOrder::PanelNameOrder()
{
    m_collator.setCaseSensitivity(Qt::CaseInsensitive);
}

QCollatorSortKey PanelNameOrder::key(const QString &path) const
{
    // Folded first: the C locale's collation would not ignore case. The
    // paths of a folder share its path, so the name alone orders them (and
    // its key is the shorter); a location's names are escaped in their URIs,
    // so they are compared unescaped.
    const QString name =
        path.startsWith(QLatin1Char('/')) ? path.sliced(path.lastIndexOf(QLatin1Char('/')) + 1) : gioLocationName(path);
    return m_collator.sortKey(name.toCaseFolded());
}

qsizetype PanelNameOrder::placeOf(const QStringList &paths, const QString &path) const
{
    const QCollatorSortKey placed = key(path);
    return std::upper_bound(paths.begin(), paths.end(), placed,
                            [this](const QCollatorSortKey &a, const QString &b) { return a.compare(key(b)) < 0; }) -
           paths.begin();
}

PanelFolderReader::PanelFolderReader(const FolderPath &folder)
    : m_folder(folder), m_dir(::opendir(toNative(folder.path()).constData()))
{}

PanelFolderReader::~PanelFolderReader()
{
    if (m_dir != nullptr)
        ::closedir(m_dir);
}

bool PanelFolderReader::readMore(qsizetype most)
{
    if (m_dir == nullptr)
        return false;
    const int dirFd = ::dirfd(m_dir);
    for (qsizetype read = 0; read < most; ++read) {
        const dirent *entry = ::readdir(m_dir);
        if (entry == nullptr) {
            ::closedir(m_dir);
            m_dir = nullptr;
            return false;
        }
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
        (isFolder ? m_listing.folders : m_listing.files).append(m_folder.filePath(fromNative(name)));
    }
    return true;
}

PanelFolderListing PanelFolderReader::takeSorted()
{
    sortPanelListing(m_listing);
    return std::exchange(m_listing, {});
}

void sortPanelListing(PanelFolderListing &listing)
{
    sortByName(listing.folders);
    sortByName(listing.files);
}

PanelFolderListing readPanelFolder(const FolderPath &folder)
{
    PanelFolderReader reader(folder);
    while (reader.readMore(4096)) {
    }
    return reader.takeSorted();
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

bool isLocationFolder(const FolderPath &folder)
{
    return !folder.isEmpty() && !folder.isLocal() &&
           folder.path().compare(computerFolderPath(), Qt::CaseInsensitive) != 0;
}

QString entryPathIn(const FolderPath &folder, const QString &name)
{
    return isLocationFolder(folder) ? gioChildLocation(folder.withTrailingSlash(), name.toUtf8(), false)
                                    : folder.filePath(name);
}

bool createOneLocationFolder(const FolderPath &folder, const QString &name)
{
    if (isRefusedNewName(name) || !isLocationFolder(folder))
        return false;
    const GObjectRef<GFile> created(g_file_new_for_uri(entryPathIn(folder, name).toUtf8().constData()));
    return g_file_make_directory(created.get(), nullptr, nullptr);
}

QString createdFolderName(const QString &typed)
{
    QString name = typed;
    while (name.endsWith(QLatin1Char(' ')) || name.endsWith(QLatin1Char('.')))
        name.chop(1);
    return name;
}

} // namespace quil
