#include "platform/SettingsFiles.h"
#include "platform/SettingsByteLines.h"

#include "platform/FolderPath.h"
#include "platform/NativePath.h"
#include "platform/OsError.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quil {

FolderPath programFolder()
{
    return FolderPath(QCoreApplication::applicationDirPath());
}

FolderPath defaultSettingsFolder()
{
    const FolderPath program = programFolder();
    // An installed program (its desktop entry beside it under share/) keeps
    // its settings in the user's folder even where it may write, as root may
    // into /usr/bin.
    const bool installed = QFileInfo::exists(program.filePath(u"../share/applications/quil.desktop"));
    if (!installed && ::access(toNative(program.path()).constData(), W_OK) == 0)
        return program;
    const FolderPath config =
        FolderPath(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)).child(u"quil");
    QDir().mkpath(config.path());
    return config;
}

bool directoryExists(const QString &path)
{
    struct stat info
    {
    };
    return !path.isEmpty() && ::stat(toNative(path).constData(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool fileExists(const QString &path)
{
    struct stat info
    {
    };
    return !path.isEmpty() && ::stat(toNative(path).constData(), &info) == 0 && !S_ISDIR(info.st_mode);
}

namespace {
// The general error box's text for a failure on a settings file: the
// system's text with the file's path before it, so the user knows which file.
[[noreturn]] void raiseFileError(int code, const QString &path)
{
    QString text = osErrorText(code);
    const qsizetype lineEnd = text.indexOf(QLatin1String("\r\n"));
    text.insert(lineEnd < 0 ? 0 : lineEnd + 2, path + QStringLiteral(": "));
    throw QuilError(text);
}

// A settings file is a few lines; anything larger is not one.
constexpr qsizetype kSettingsLimit = 1024 * 1024;

QByteArray readSettingsFile(const QString &path)
{
    const QByteArray native = toNative(path);
    // Non-blocking and regular files only, so a FIFO or a device put in its
    // place can neither block start-up nor be read without end.
    const int fd = ::open(native.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        raiseFileError(errno, path);
    struct stat info
    {
    };
    int code = ::fstat(fd, &info) != 0 ? errno : (S_ISREG(info.st_mode) ? 0 : EINVAL);
    QByteArray data;
    while (code == 0) {
        char chunk[16384];
        const ssize_t n = ::read(fd, chunk, sizeof chunk);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            code = errno;
        else if (n == 0)
            break;
        else if (data.size() + n > kSettingsLimit)
            code = EFBIG;
        else
            data.append(chunk, n);
    }
    ::close(fd);
    if (code != 0)
        raiseFileError(code, path);
    return data;
}

// Writes data under a fresh name beside the file and renames it over the
// file once whole and synced: a failure leaves the previous file as it was.
int writeWhole(const QByteArray &native, const QByteArray &data)
{
    const QByteArray temp = native + ".quil-" + QByteArray::number(::getpid()) + ".part";
    const int fd = ::open(temp.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0)
        return errno;
    int code = 0;
    struct stat old
    {
    };
    if (::stat(native.constData(), &old) == 0)
        ::fchmod(fd, old.st_mode & 07777);
    for (qsizetype done = 0; code == 0 && done < data.size();) {
        const ssize_t n = ::write(fd, data.constData() + done, size_t(data.size() - done));
        if (n < 0 && errno != EINTR)
            code = errno;
        done += std::max<ssize_t>(n, 0);
    }
    if (code == 0 && ::fsync(fd) != 0)
        code = errno;
    if (::close(fd) != 0 && code == 0)
        code = errno;
    if (code == 0 && ::rename(temp.constData(), native.constData()) != 0)
        code = errno;
    if (code != 0)
        ::unlink(temp.constData());
    return code;
}
} // namespace

QList<QByteArray> readSettingsByteLines(const QString &path)
{
    QList<QByteArray> lines = readSettingsFile(path).split('\n');
    for (QByteArray &line : lines)
        if (line.endsWith('\r'))
            line.chop(1);
    // The line end of the last line leaves an empty piece that is no line.
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

QStringList readSettingsLines(const QString &path)
{
    QStringList lines;
    for (const QByteArray &line : readSettingsByteLines(path))
        lines.append(QString::fromUtf8(line));
    return lines;
}

void writeSettingsByteLines(const QString &path, const QList<QByteArray> &lines)
{
    QByteArray data;
    for (const QByteArray &line : lines) {
        data.append(line);
        data.append("\r\n");
    }
    QByteArray native = toNative(path);
    // A settings file that is a link keeps being one: its target is written.
    if (char *real = ::realpath(native.constData(), nullptr)) {
        native = real;
        ::free(real);
    }
    if (const int code = writeWhole(native, data))
        raiseFileError(code, path);
}

void writeSettingsLines(const QString &path, const QStringList &lines)
{
    QList<QByteArray> bytes;
    bytes.reserve(lines.size());
    for (const QString &line : lines)
        bytes.append(line.toUtf8());
    writeSettingsByteLines(path, bytes);
}

} // namespace quil
