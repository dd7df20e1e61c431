#include "platform/FileClipboard.h"

#include "platform/FileUri.h"
#include "platform/NativePath.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

#include <gio/gio.h>

namespace quil {

namespace {

const QString uriListType = QStringLiteral("text/uri-list");
const QString gnomeType = QStringLiteral("x-special/gnome-copied-files");
const QString kdeCutType = QStringLiteral("application/x-kde-cutselection");

// The file's URI from its bytes, so that a name that is not UTF-8 survives.
QByteArray uriOf(const QString &path)
{
    gchar *uri = g_filename_to_uri(toNative(path).constData(), nullptr, nullptr);
    QByteArray result(uri != nullptr ? uri : "");
    g_free(uri);
    return result;
}

// Lines of a text/uri-list (CR LF, or LF from careless writers), without comments.
QList<QByteArray> uriLines(const QByteArray &text)
{
    QList<QByteArray> lines;
    for (QByteArray line : text.split('\n')) {
        line = line.trimmed();
        if (!line.isEmpty() && !line.startsWith('#'))
            lines.append(line);
    }
    return lines;
}

ClipboardFiles filesOfUris(const QList<QByteArray> &uris, bool cut)
{
    ClipboardFiles files;
    files.cut = cut;
    for (const QByteArray &uri : uris) {
        const FileUriPath file = pathOfFileUri(uri);
        if (!file.path.isEmpty())
            files.paths.append(file.path);
        else if (file.otherHost)
            files.otherHosts.append(QString::fromUtf8(uri));
        else if (!isFileUri(uri))
            files.otherSchemes.append(QString::fromUtf8(uri));
    }
    if (files.isEmpty())
        files.cut = false;
    return files;
}

} // namespace

QMimeData *mimeDataForFiles(const ClipboardFiles &files)
{
    QByteArray uriList;
    QByteArray gnome = files.cut ? "cut" : "copy";
    QStringList plain;
    for (const QString &path : files.paths) {
        const QByteArray uri = uriOf(path);
        uriList += uri + "\r\n";
        gnome += '\n' + uri;
        plain.append(path);
    }
    auto *data = new QMimeData;
    data->setData(uriListType, uriList);
    data->setData(gnomeType, gnome);
    if (files.cut)
        data->setData(kdeCutType, "1");
    data->setText(plain.join(QLatin1Char('\n')));
    return data;
}

ClipboardFiles filesOfMimeData(const QMimeData &data)
{
    if (data.hasFormat(gnomeType)) {
        QList<QByteArray> lines = uriLines(data.data(gnomeType));
        if (!lines.isEmpty() && (lines.first() == "copy" || lines.first() == "cut")) {
            const bool cut = lines.takeFirst() == "cut";
            return filesOfUris(lines, cut);
        }
    }
    if (data.hasFormat(uriListType))
        return filesOfUris(uriLines(data.data(uriListType)), data.data(kdeCutType) == "1");
    return {};
}

void putFilesOnClipboard(const ClipboardFiles &files)
{
    QGuiApplication::clipboard()->setMimeData(mimeDataForFiles(files));
}

ClipboardFiles filesOnClipboard()
{
    const QMimeData *data = QGuiApplication::clipboard()->mimeData();
    return data != nullptr ? filesOfMimeData(*data) : ClipboardFiles{};
}

void clearClipboard()
{
    QGuiApplication::clipboard()->clear();
}

} // namespace quil
