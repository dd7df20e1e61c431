#include "app/StartArgument.h"

#include <QDir>
#include <QFileInfo>
#include <QUrl>

namespace quil {

namespace {

// A file URI names a local path; any other scheme names nothing here.
QString localPath(const QString &argument)
{
    const QUrl url(argument);
    if (url.isValid() && url.isLocalFile())
        return url.toLocalFile();
    if (argument.contains(QLatin1String("://")))
        return {};
    return QDir::current().absoluteFilePath(argument);
}

QString folderText(const QString &path)
{
    const QString clean = QDir::cleanPath(path);
    return clean.endsWith(QLatin1Char('/')) ? clean : clean + QLatin1Char('/');
}

} // namespace

StartTarget startTarget(const QStringList &arguments)
{
    StartTarget target;
    if (arguments.isEmpty())
        return target;
    const QString &argument = arguments.first();
    if (arguments.size() > 1)
        target.message = QStringLiteral("quil: открывается только первый путь, остальные пропущены\n");
    const QString path = argument.isEmpty() ? QString() : localPath(argument);
    const QFileInfo info(path);
    if (path.isEmpty() || !info.exists()) {
        target.message += QStringLiteral("quil: нет такой папки или файла: ") + argument + QLatin1Char('\n');
        return target;
    }
    if (info.isDir()) {
        target.folder = folderText(path);
    } else {
        target.folder = folderText(info.absolutePath());
        target.entry = info.fileName();
    }
    return target;
}

} // namespace quil
