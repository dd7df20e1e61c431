#include "app/StartArgument.h"

#include "platform/BytePath.h"
#include "platform/FileUri.h"
#include "platform/FolderPath.h"
#include "platform/NativePath.h"
#include "platform/PosixIo.h"

#include <QDir>

#include <QCoreApplication>
#include <sys/stat.h>

namespace quil {

namespace {

// The local path an argument names, as the system's bytes: a file URI of
// this machine, or a path; any other scheme names nothing here.
QByteArray localPath(const QString &argument)
{
    const QByteArray bytes = toNative(argument);
    if (isFileUri(bytes))
        return toNative(pathOfFileUri(bytes).path);
    if (argument.contains(QLatin1String("://")))
        return {};
    if (bytes.startsWith('/'))
        return bytes;
    return bytepath::join(posix::currentFolder(), bytes);
}

QString folderText(const QByteArray &path)
{
    return FolderPath(QDir::cleanPath(fromNative(path))).withTrailingSlash();
}

} // namespace

QStringList nativeArguments(int argc, const char *const *argv)
{
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments.append(fromNative(QByteArrayView(argv[i])));
    return arguments;
}

StartTarget startTarget(const QStringList &arguments)
{
    StartTarget target;
    if (arguments.isEmpty())
        return target;
    const QString &argument = arguments.first();
    if (arguments.size() > 1)
        target.message =
            QCoreApplication::translate("StartArgument", "quil: открывается только первый путь, остальные пропущены\n");
    const QByteArray path = argument.isEmpty() ? QByteArray() : localPath(argument);
    struct stat info
    {
    };
    if (path.isEmpty() || ::stat(path.constData(), &info) != 0) {
        target.message += QCoreApplication::translate("StartArgument", "quil: нет такой папки или файла: ") + argument +
                          QLatin1Char('\n');
        return target;
    }
    if (S_ISDIR(info.st_mode)) {
        target.folder = folderText(path);
    } else {
        const QByteArray clean = toNative(QDir::cleanPath(fromNative(path)));
        target.folder = folderText(bytepath::parent(clean));
        target.entry = fromNative(bytepath::fileName(clean));
    }
    return target;
}

} // namespace quil
