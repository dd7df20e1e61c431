#include "platform/ShellNamespace.h"

#include "platform/BytePath.h"
#include "platform/ChildSink.h"
#include "platform/FolderPath.h"
#include "platform/IconNames.h"
#include "platform/LocationUri.h"
#include "platform/NativePath.h"
#include "platform/OsError.h"
#include "platform/PosixIo.h"
#include "platform/ReadingProgress.h"
#include "platform/Volumes.h"

#include <QHash>
#include <QMimeDatabase>

#include <QCoreApplication>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <memory>
#include <mutex>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace quil {

namespace {

const QString kRoot = QStringLiteral("/");

// "/a//b/./c/../" -> "/a/b"; empty for a text that is not absolute.
QString cleanAbsolute(const QString &text)
{
    if (!text.startsWith(QLatin1Char('/')))
        return {};
    QStringList items;
    for (const QString &item : text.split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
        if (item == QLatin1String("."))
            continue;
        if (item == QLatin1String("..")) {
            if (!items.isEmpty())
                items.removeLast();
            continue;
        }
        items.append(item);
    }
    return kRoot + items.join(QLatin1Char('/'));
}

qint64 msecsOf(const struct timespec &time)
{
    return qint64(time.tv_sec) * 1000 + time.tv_nsec / 1000000;
}

// own: lstat of the item; target: stat through a link (null when the item is
// no link or the link is broken).
FindData makeFindData(QStringView name, const struct stat &own, const struct stat *target, bool writable)
{
    const struct stat &data = target != nullptr ? *target : own;
    FindData find;
    find.modifiedMsecs = msecsOf(data.st_mtim);
    const bool folder = S_ISDIR(data.st_mode);
    find.size = folder ? 0 : quint64(data.st_size);
    if (!writable)
        find.attributes |= AttributeReadOnly;
    if (name.startsWith(u'.'))
        find.attributes |= AttributeHidden;
    if (!S_ISREG(own.st_mode) && !S_ISDIR(own.st_mode) && !S_ISLNK(own.st_mode))
        find.attributes |= AttributeSystem;
    if (folder)
        find.attributes |= AttributeDirectory;
    return find;
}

// A link whose target is missing: the write test would follow it and find
// nothing, yet the link itself is never write-protected (its mode is rwx).
bool leadsNowhere(const struct stat &own, bool haveTarget)
{
    return S_ISLNK(own.st_mode) && !haveTarget;
}

struct DirCloser
{
    void operator()(DIR *dir) const { ::closedir(dir); }
};

void readFolder(const QString &path, ShellNamespace::EnumerateFlags flags, ChildSink &sink, ReadingProgress *progress)
{
    const QByteArray native = toNative(path);
    UniqueFd folder = posix::openPath(native, O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (!folder.valid())
        throw OsError::last();
    std::unique_ptr<DIR, DirCloser> dir(::fdopendir(folder.get()));
    if (!dir)
        throw OsError::last();
    const int fd = folder.release(); // the folder stream owns it now
    const bool resolveLinks = flags & ShellNamespace::ResolveLinks;
    const bool readDetails = flags & ShellNamespace::ReadDetails;
    const QString prefix = FolderPath(path).withTrailingSlash();
    // The names and types first, so that the list of children is made at its
    // full size once instead of growing (and moving every child) many times.
    struct Named
    {
        size_t offset;
        unsigned char type;
    };
    std::vector<Named> named;
    std::vector<char> names;
    for (;;) {
        errno = 0;
        const dirent *entry = ::readdir(dir.get());
        if (entry == nullptr) {
            if (errno != 0)
                throw OsError::last();
            break;
        }
        const char *raw = entry->d_name;
        if (raw[0] == '.' && (raw[1] == 0 || (raw[1] == '.' && raw[2] == 0)))
            continue;
        named.push_back({names.size(), entry->d_type});
        names.insert(names.end(), raw, raw + std::strlen(raw) + 1);
        // Told in steps: a store per entry would cost the reading itself.
        if (progress != nullptr && named.size() % 1024 == 0) {
            if (progress->stopped())
                return;
            progress->entriesRead.store((long long)named.size(), std::memory_order_relaxed);
        }
    }
    if (progress != nullptr)
        progress->entriesRead.store((long long)named.size(), std::memory_order_relaxed);
    sink.expect(named.size(), names.size() - named.size());
    FolderChild child;
    for (const Named &item : named) {
        const char *raw = names.data() + item.offset;
        child = FolderChild();
        child.name = fromNative(QByteArrayView(raw, qsizetype(std::strlen(raw))));
        // Made at its exact size: appending to the shared prefix would round
        // each path's room up to a power of two.
        QString childPath;
        childPath.reserve(prefix.size() + child.name.size());
        childPath.append(prefix).append(child.name);
        child.id = ItemId::fromPath(childPath);
        unsigned char type = item.type;
        struct stat own
        {
        };
        bool haveOwn = false;
        if (type == DT_UNKNOWN && (resolveLinks || readDetails)) {
            if (::fstatat(fd, raw, &own, AT_SYMLINK_NOFOLLOW) == 0) {
                haveOwn = true;
                type = IFTODT(own.st_mode);
            }
        }
        child.isFolder = type == DT_DIR;
        child.isLink = type == DT_LNK;
        child.isSpecial = type == DT_FIFO || type == DT_SOCK || type == DT_CHR || type == DT_BLK;
        child.resolved = type != DT_LNK && type != DT_UNKNOWN;
        struct stat target
        {
        };
        bool haveTarget = false;
        if (type == DT_LNK && (resolveLinks || readDetails)) {
            // A broken link or a loop of links is a file that leads nowhere.
            haveTarget = ::fstatat(fd, raw, &target, 0) == 0;
            child.isFolder = haveTarget && S_ISDIR(target.st_mode);
            child.resolved = true;
        }
        if (readDetails) {
            if (!haveOwn)
                haveOwn = ::fstatat(fd, raw, &own, AT_SYMLINK_NOFOLLOW) == 0;
            if (haveOwn) {
                const bool writable = leadsNowhere(own, haveTarget) || ::faccessat(fd, raw, W_OK, 0) == 0;
                child.details = makeFindData(child.name, own, haveTarget ? &target : nullptr, writable);
            }
        }
        sink.take(child);
    }
}

// Gathers the children into a list.
class ListSink : public ChildSink
{
public:
    QList<FolderChild> children;
    void expect(size_t count, size_t) override { children.reserve(qsizetype(count)); }
    void take(FolderChild &child) override { children.append(std::move(child)); }
};

QMimeDatabase &mimeDatabase()
{
    static QMimeDatabase database;
    return database;
}

// Comments are looked up once per type; the database is shared by threads.
QString commentOf(const QString &mimeName)
{
    static std::mutex mutex;
    static QHash<QString, QString> cache;
    const std::scoped_lock lock(mutex);
    const auto found = cache.constFind(mimeName);
    if (found != cache.constEnd())
        return *found;
    const QMimeType type = mimeDatabase().mimeTypeForName(mimeName);
    QString comment = type.isValid() ? type.comment() : QString();
    if (comment.isEmpty())
        comment = mimeName;
    cache.insert(mimeName, comment);
    return comment;
}

QMimeType mimeForName(const QString &fileName)
{
    return mimeDatabase().mimeTypeForFile(fileName, QMimeDatabase::MatchExtension);
}

// The MIME type name of a special file, empty for regular files and links.
QString specialMime(mode_t mode)
{
    if (S_ISDIR(mode))
        return QStringLiteral("inode/directory");
    if (S_ISFIFO(mode))
        return QStringLiteral("inode/fifo");
    if (S_ISSOCK(mode))
        return QStringLiteral("inode/socket");
    if (S_ISBLK(mode))
        return QStringLiteral("inode/blockdevice");
    if (S_ISCHR(mode))
        return QStringLiteral("inode/chardevice");
    return {};
}

bool statPath(const QString &path, struct stat &info, bool follow)
{
    const QByteArray native = toNative(path);
    return (follow ? ::stat(native.constData(), &info) : ::lstat(native.constData(), &info)) == 0;
}

std::optional<Volume> listedVolume(const QString &mountPoint)
{
    for (const Volume &volume : Volumes::list())
        if (volume.mountPoint == mountPoint)
            return volume;
    return std::nullopt;
}

bool isSpecialFile(const ItemId &item)
{
    struct stat info
    {
    };
    return item.isFileSystem() && statPath(item.path(), info, false) && !S_ISDIR(info.st_mode) &&
           !specialMime(info.st_mode).isEmpty();
}

QString virtualTypeText()
{
    return QCoreApplication::translate("ShellNamespace", "Системная папка");
}

} // namespace

ItemId ShellNamespace::homeFolder()
{
    const char *home = std::getenv("HOME");
    QByteArray bytes = home != nullptr ? QByteArray(home) : QByteArray();
    if (bytes.isEmpty()) {
        if (const passwd *user = ::getpwuid(::getuid()))
            bytes = user->pw_dir;
    }
    const QString clean = cleanAbsolute(fromNative(bytes));
    return ItemId::fromPath(clean.isEmpty() ? kRoot : clean);
}

ItemId ShellNamespace::trashFolder()
{
    return ItemId::location(QStringLiteral("trash:///"));
}

ItemId ShellNamespace::parse(const QString &text)
{
    if (text.compare(computerParsingName, Qt::CaseInsensitive) == 0)
        return ItemId::computer();
    const QString clean = cleanAbsolute(text);
    if (clean.isEmpty())
        throw OsError(ENOENT);
    struct stat info
    {
    };
    if (!statPath(clean, info, false))
        throw OsError::last();
    return ItemId::fromPath(clean);
}

ItemId ShellNamespace::parent(const ItemId &item)
{
    switch (item.kind()) {
    case ItemId::Kind::Desktop:
    case ItemId::Kind::Computer:
        return ItemId::desktop();
    case ItemId::Kind::Location: {
        const QString above = gioParentLocation(item.path());
        if (!above.isEmpty())
            return ItemId::location(above);
        if (item == trashFolder())
            return ItemId::computer();
        // An archive's top goes back to the folder holding the archive.
        const QByteArray archive = archiveOfLocation(item.path());
        return archive.isEmpty() ? ItemId::desktop() : parent(ItemId::fromPath(fromNative(archive)));
    }
    case ItemId::Kind::Volume:
    case ItemId::Kind::Path:
        break;
    }
    // A volume opened from the computer folder is still a folder of the
    // tree: its parent is the folder above its mount point, as for the same
    // path typed into the path box.
    const QString &path = item.path();
    if (path == kRoot)
        return ItemId::computer();
    return ItemId::fromPath(fromNative(bytepath::parent(toNative(path))));
}

ItemId ShellNamespace::join(const ItemId &folder, const QString &name)
{
    switch (folder.kind()) {
    case ItemId::Kind::Desktop:
        if (name.compare(computerParsingName, Qt::CaseInsensitive) == 0)
            return ItemId::computer();
        return ItemId::fromPath(cleanAbsolute(name.startsWith(QLatin1Char('/')) ? name : kRoot + name));
    case ItemId::Kind::Computer:
        return ItemId::volume(cleanAbsolute(name.startsWith(QLatin1Char('/')) ? name : kRoot + name));
    case ItemId::Kind::Location:
        return ItemId::location(gioChildLocation(folder.path(), name.toUtf8(), false));
    case ItemId::Kind::Volume:
    case ItemId::Kind::Path:
        break;
    }
    return ItemId::fromPath(cleanAbsolute(FolderPath(folder.path()).filePath(name)));
}

QList<FolderChild> ShellNamespace::enumerate(const ItemId &folder, EnumerateFlags flags)
{
    ListSink sink;
    enumerateInto(folder, flags, sink);
    return std::move(sink.children);
}

void enumerateInto(const ItemId &folder, ShellNamespace::EnumerateFlags flags, ChildSink &sink,
                   ReadingProgress *progress)
{
    using S = ShellNamespace;
    QList<FolderChild> children;
    switch (folder.kind()) {
    case ItemId::Kind::Desktop: {
        FolderChild home;
        home.id = S::homeFolder();
        home.name = S::displayName(home.id);
        home.isFolder = true;
        home.order = 1;
        FolderChild computer;
        computer.id = ItemId::computer();
        computer.name = S::displayName(computer.id);
        computer.isFolder = true;
        computer.order = 2;
        if (flags & S::ReadDetails) {
            home.details = S::findData(home.id);
            computer.details = S::findData(computer.id);
        }
        children = {home, computer};
        break;
    }
    case ItemId::Kind::Computer: {
        int order = 0;
        for (const Volume &volume : Volumes::list()) {
            FolderChild child;
            child.id = ItemId::volume(volume.mountPoint);
            child.name = volume.displayName();
            child.isFolder = true;
            child.order = ++order;
            if (flags & S::ReadDetails)
                child.details = S::findData(child.id);
            children.append(std::move(child));
        }
        // The trash as a folder, after the volumes (read through GIO).
        FolderChild trash;
        trash.id = S::trashFolder();
        trash.name = S::displayName(trash.id);
        trash.isFolder = true;
        trash.order = ++order;
        if (flags & S::ReadDetails)
            trash.details = S::findData(trash.id);
        children.append(std::move(trash));
        break;
    }
    case ItemId::Kind::Volume:
    case ItemId::Kind::Path:
        readFolder(folder.path(), flags, sink, progress);
        return;
    case ItemId::Kind::Location:
        // Read asynchronously through GIO by the list (GioFolderReading).
        break;
    }
    sink.expect(size_t(children.size()), 0);
    for (FolderChild &child : children)
        sink.take(child);
}

void ShellNamespace::resolve(FolderChild &child)
{
    if (child.resolved)
        return;
    child.isFolder = isFolder(child.id);
    struct stat info
    {
    };
    child.isLink = child.id.isFileSystem() && statPath(child.id.path(), info, false) && S_ISLNK(info.st_mode);
    child.resolved = true;
}

QString ShellNamespace::displayName(const ItemId &item, NameForm form)
{
    switch (item.kind()) {
    case ItemId::Kind::Desktop:
        return form == NameForm::Parsing ? QString() : QCoreApplication::translate("ShellNamespace", "Рабочий стол");
    case ItemId::Kind::Computer:
        return form == NameForm::Parsing ? computerParsingName
                                         : QCoreApplication::translate("ShellNamespace", "Компьютер");
    case ItemId::Kind::Volume:
        if (form == NameForm::Parsing)
            return item.path();
        if (const auto volume = listedVolume(item.path()))
            return volume->displayName();
        return Volume{item.path(), {}, {}, {}, false}.displayName();
    case ItemId::Kind::Location:
        if (form != NameForm::Parsing && item == trashFolder())
            return QCoreApplication::translate("ShellNamespace", "Корзина");
        if (form == NameForm::Parsing || item.fileName().isEmpty())
            return item.path();
        return item.fileName();
    case ItemId::Kind::Path:
        break;
    }
    return form == NameForm::Parsing ? item.path() : item.fileName();
}

bool ShellNamespace::isFolder(const ItemId &item)
{
    if (item.isLocation())
        return item.path().endsWith(QLatin1Char('/'));
    if (!item.isFileSystem())
        return true;
    struct stat info
    {
    };
    return statPath(item.path(), info, true) && S_ISDIR(info.st_mode);
}

std::optional<FindData> ShellNamespace::findData(const ItemId &item)
{
    // A location's entries come with their details from its reading.
    if (item.isLocation() && !isFolder(item))
        return std::nullopt;
    if (!item.isFileSystem())
        return FindData{0, 0, AttributeDirectory};
    struct stat own
    {
    };
    if (!statPath(item.path(), own, false))
        return std::nullopt;
    struct stat target
    {
    };
    const bool haveTarget = S_ISLNK(own.st_mode) && statPath(item.path(), target, true);
    const bool writable = leadsNowhere(own, haveTarget) || ::access(toNative(item.path()).constData(), W_OK) == 0;
    return makeFindData(item.fileName() == kRoot ? QString() : item.fileName(), own, haveTarget ? &target : nullptr,
                        writable);
}

QString ShellNamespace::fileTypeText(const QString &fileName)
{
    return commentOf(mimeForName(fileName).name());
}

QString ShellNamespace::listedTypeText(const FolderChild &child)
{
    return child.isFolder || child.isSpecial ? typeText(child.id) : fileTypeText(child.name);
}

QString ShellNamespace::folderTypeText()
{
    return commentOf(QStringLiteral("inode/directory"));
}

QString ShellNamespace::typeText(const ItemId &item)
{
    switch (item.kind()) {
    case ItemId::Kind::Desktop:
    case ItemId::Kind::Computer:
        return virtualTypeText();
    case ItemId::Kind::Volume:
        return commentOf(QStringLiteral("inode/mount-point"));
    case ItemId::Kind::Location:
        return isFolder(item) ? folderTypeText() : fileTypeText(item.fileName());
    case ItemId::Kind::Path:
        break;
    }
    struct stat info
    {
    };
    if (statPath(item.path(), info, false)) {
        if (S_ISLNK(info.st_mode) && statPath(item.path(), info, true) && S_ISDIR(info.st_mode))
            return folderTypeText();
        const QString special = specialMime(info.st_mode);
        if (!special.isEmpty())
            return commentOf(special);
    }
    return fileTypeText(item.fileName());
}

int ShellNamespace::iconIndex(const ItemId &item)
{
    switch (item.kind()) {
    case ItemId::Kind::Desktop:
        return IconNames::Desktop;
    case ItemId::Kind::Computer:
        return IconNames::Computer;
    case ItemId::Kind::Volume: {
        const auto volume = listedVolume(item.path());
        return volume && volume->removable ? IconNames::RemovableDisk : IconNames::HardDisk;
    }
    case ItemId::Kind::Location:
        if (item == trashFolder())
            return IconNames::indexOf(QStringLiteral("user-trash"), QStringLiteral("folder"));
        break;
    case ItemId::Kind::Path:
        break;
    }
    return iconIndex(item, isFolder(item));
}

int ShellNamespace::iconIndex(const ItemId &item, bool isFolder)
{
    if (isFolder)
        return item == homeFolder() ? IconNames::Home : IconNames::Folder;
    const QMimeType type = mimeForName(item.fileName());
    if (!type.isValid() || type.isDefault())
        return IconNames::GenericFile;
    return IconNames::indexOf(type.iconName(), type.genericIconName());
}

ItemSortKey ShellNamespace::sortKey(const ItemComparator &comparator, FolderChild &child, SortColumn column)
{
    resolve(child);
    quint64 size = 0;
    qint64 modified = 0;
    QString type;
    if (column == SortColumn::Size || column == SortColumn::Modified) {
        if (!child.details)
            child.details = findData(child.id);
        if (child.details) {
            size = child.details->size;
            modified = child.details->modifiedMsecs;
        }
    } else if (column == SortColumn::Type) {
        type = listedTypeText(child);
    }
    return comparator.key(child.name, child.isFolder, size, type, modified, child.order);
}

int ShellNamespace::compare(const ItemId &a, const ItemId &b, SortColumn column)
{
    thread_local const ItemComparator comparator;
    FolderChild first{a, displayName(a), isFolder(a), false, true, 0, isSpecialFile(a), std::nullopt};
    FolderChild second{b, displayName(b), isFolder(b), false, true, 0, isSpecialFile(b), std::nullopt};
    return ItemComparator::compare(sortKey(comparator, first, column), sortKey(comparator, second, column), column);
}

} // namespace quil
