#include "platform/SettingsFiles.h"

#include "platform/NativePath.h"
#include "platform/OsError.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QStandardPaths>

#include <sys/stat.h>
#include <unistd.h>

namespace quil {

namespace {
QString withSlash(QString path)
{
    if (!path.endsWith(QLatin1Char('/')))
        path.append(QLatin1Char('/'));
    return path;
}
} // namespace

QString programFolder()
{
    return withSlash(QCoreApplication::applicationDirPath());
}

QString defaultSettingsFolder()
{
    const QString program = programFolder();
    if (::access(toNative(program).constData(), W_OK) == 0)
        return program;
    const QString config =
        withSlash(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)) + QStringLiteral("quil/");
    QDir().mkpath(config);
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

QStringList readSettingsLines(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw QuilError(file.errorString());
    const QByteArray data = file.readAll();
    if (file.error() != QFile::NoError)
        throw QuilError(file.errorString());
    QStringList lines = QString::fromUtf8(data).split(QLatin1Char('\n'));
    for (QString &line : lines)
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
    // The line end of the last line leaves an empty piece that is no line.
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

void writeSettingsLines(const QString &path, const QStringList &lines)
{
    QByteArray data;
    for (const QString &line : lines) {
        data.append(line.toUtf8());
        data.append("\r\n");
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(data) != data.size() || !file.commit())
        throw QuilError(file.errorString());
}

} // namespace quil
