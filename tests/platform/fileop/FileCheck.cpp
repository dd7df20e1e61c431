#include "FileCheck.h"

#include <QCryptographicHash>

#include <algorithm>
#include <dirent.h>
#include <fcntl.h>
#include <functional>
#include <stdexcept>
#include <unistd.h>

namespace filecheck {

QByteArray pattern(qint64 size, int seed)
{
    QByteArray data(size, Qt::Uninitialized);
    quint32 x = 2463534242u + quint32(seed) * 7919u;
    for (qint64 i = 0; i < size; ++i) {
        x ^= x << 13;
        x ^= x >> 17;
        x ^= x << 5;
        data[i] = char(x);
    }
    return data;
}

void write(const QByteArray &path, const QByteArray &content)
{
    const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd < 0)
        throw std::runtime_error("cannot create " + path.toStdString());
    for (qsizetype done = 0; done < content.size();) {
        const ssize_t n = ::write(fd, content.constData() + done, size_t(content.size() - done));
        if (n <= 0) {
            ::close(fd);
            throw std::runtime_error("cannot write " + path.toStdString());
        }
        done += n;
    }
    ::close(fd);
}

QByteArray read(const QByteArray &path, bool *ok)
{
    QByteArray data;
    const int fd = ::open(path.constData(), O_RDONLY);
    if (ok)
        *ok = fd >= 0;
    if (fd < 0)
        return data;
    char buffer[65536];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n <= 0)
            break;
        data.append(buffer, n);
    }
    ::close(fd);
    return data;
}

bool exists(const QByteArray &path)
{
    struct stat st;
    return ::lstat(path.constData(), &st) == 0;
}

struct stat lstatOf(const QByteArray &path)
{
    struct stat st = {};
    if (::lstat(path.constData(), &st) != 0)
        throw std::runtime_error("cannot stat " + path.toStdString());
    return st;
}

QList<QByteArray> names(const QByteArray &folder)
{
    QList<QByteArray> result;
    DIR *dir = ::opendir(folder.constData());
    if (!dir)
        return result;
    while (dirent *entry = ::readdir(dir)) {
        const QByteArray name(entry->d_name);
        if (name != "." && name != "..")
            result.append(name);
    }
    ::closedir(dir);
    std::sort(result.begin(), result.end());
    return result;
}

namespace {
void walk(const QByteArray &root, const QByteArray &relative,
          const std::function<void(const QByteArray &, const struct stat &)> &visit)
{
    const QByteArray folder = relative.isEmpty() ? root : root + '/' + relative;
    for (const QByteArray &name : names(folder)) {
        const QByteArray child = relative.isEmpty() ? name : relative + '/' + name;
        struct stat st;
        if (::lstat((root + '/' + child).constData(), &st) != 0)
            continue;
        visit(child, st);
        if (S_ISDIR(st.st_mode))
            walk(root, child, visit);
    }
}
} // namespace

QList<QByteArray> snapshot(const QByteArray &root)
{
    QList<QByteArray> result;
    walk(root, {}, [&](const QByteArray &relative, const struct stat &st) {
        QByteArray line = relative + ' ' + QByteArray::number(st.st_mode, 8) + ' ' + QByteArray::number(st.st_size);
        if (S_ISREG(st.st_mode))
            line += ' ' + QCryptographicHash::hash(read(root + '/' + relative), QCryptographicHash::Sha1).toHex();
        result.append(line);
    });
    std::sort(result.begin(), result.end());
    return result;
}

QList<QByteArray> temporaries(const QByteArray &root)
{
    QList<QByteArray> result;
    walk(root, {}, [&](const QByteArray &relative, const struct stat &) {
        const qsizetype slash = relative.lastIndexOf('/');
        if (relative.mid(slash + 1).startsWith(".quil-"))
            result.append(relative);
    });
    return result;
}

namespace {
// Works through descriptors, so that paths longer than the kernel takes go too.
void removeBelow(int folder)
{
    QList<QByteArray> entries;
    const int listing = ::openat(folder, ".", O_RDONLY | O_DIRECTORY);
    if (DIR *dir = listing >= 0 ? ::fdopendir(listing) : nullptr) {
        while (dirent *entry = ::readdir(dir)) {
            const QByteArray name(entry->d_name);
            if (name != "." && name != "..")
                entries.append(name);
        }
        ::closedir(dir);
    }
    for (const QByteArray &name : entries) {
        struct stat st;
        if (::fstatat(folder, name.constData(), &st, AT_SYMLINK_NOFOLLOW) != 0)
            continue;
        if (S_ISDIR(st.st_mode)) {
            const int inner = ::openat(folder, name.constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW);
            if (inner >= 0) {
                ::fchmod(inner, 0700);
                removeBelow(inner);
                ::close(inner);
            }
            ::unlinkat(folder, name.constData(), AT_REMOVEDIR);
        } else {
            ::unlinkat(folder, name.constData(), 0);
        }
    }
}
} // namespace

void removeContents(const QByteArray &root)
{
    const int fd = ::open(root.constData(), O_RDONLY | O_DIRECTORY);
    if (fd < 0)
        return;
    removeBelow(fd);
    ::close(fd);
}

QList<QByteArray> emptyFiles(const QByteArray &root)
{
    QList<QByteArray> result;
    walk(root, {}, [&](const QByteArray &relative, const struct stat &st) {
        if (S_ISREG(st.st_mode) && st.st_size == 0)
            result.append(relative);
    });
    return result;
}

} // namespace filecheck
