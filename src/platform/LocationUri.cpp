#include "platform/LocationUri.h"

#include <QStringDecoder>

#include <algorithm>

namespace quil {

namespace {

// Where the path of a URI starts: after "scheme://authority"; -1 when the
// text has no "//" authority.
qsizetype pathStart(const QString &uri)
{
    const qsizetype mark = uri.indexOf(QLatin1String("://"));
    if (mark <= 0)
        return -1;
    const qsizetype slash = uri.indexOf(QLatin1Char('/'), mark + 3);
    return slash < 0 ? uri.size() : slash;
}

// The URI without the "/" that ends a folder's.
QStringView withoutEndSlash(const QString &uri)
{
    QStringView view(uri);
    return view.endsWith(QLatin1Char('/')) ? view.chopped(1) : view;
}

} // namespace

QString gioParentLocation(const QString &uri)
{
    const qsizetype start = pathStart(uri);
    if (start < 0)
        return {};
    const QStringView item = withoutEndSlash(uri);
    if (item.size() <= start)
        return {};
    return item.left(item.lastIndexOf(QLatin1Char('/')) + 1).toString();
}

QString gioChildLocation(const QString &folderUri, const QByteArray &name, bool isFolder)
{
    QString uri = folderUri;
    if (!uri.endsWith(QLatin1Char('/')))
        uri += QLatin1Char('/');
    uri += QString::fromLatin1(name.toPercentEncoding());
    if (isFolder)
        uri += QLatin1Char('/');
    return uri;
}

QString gioLocationName(const QString &uri)
{
    const qsizetype start = pathStart(uri);
    const QStringView item = withoutEndSlash(uri);
    if (start < 0 || item.size() <= start)
        return {};
    const QStringView escaped = item.mid(item.lastIndexOf(QLatin1Char('/')) + 1);
    return QString::fromUtf8(QByteArray::fromPercentEncoding(escaped.toLatin1()));
}

QString readableLocation(const QString &uri)
{
    // A path on disk (it starts with "/") keeps its "%" as it is.
    if (uri.startsWith(QLatin1Char('/')) || pathStart(uri) < 0 || !uri.contains(QLatin1Char('%')))
        return uri;
    const QByteArray bytes = QByteArray::fromPercentEncoding(uri.toUtf8());
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = utf8.decode(bytes);
    const bool readable = !utf8.hasError() && std::none_of(text.cbegin(), text.cend(), [](QChar c) {
        return c.category() == QChar::Other_Control || c.category() == QChar::Other_Format;
    });
    return readable ? text : uri;
}

QByteArray archiveOfLocation(const QString &uri)
{
    const QLatin1StringView scheme("archive://");
    if (!uri.startsWith(scheme) || gioParentLocation(uri).size() != 0)
        return {};
    const qsizetype start = pathStart(uri);
    // The host is the archive's own URI, escaped twice.
    const QByteArray host = uri.mid(scheme.size(), start - scheme.size()).toLatin1();
    const QByteArray fileUri = QByteArray::fromPercentEncoding(QByteArray::fromPercentEncoding(host));
    const QByteArray filePrefix("file://");
    if (!fileUri.startsWith(filePrefix))
        return {};
    return QByteArray::fromPercentEncoding(fileUri.mid(filePrefix.size()));
}

bool isInArchive(const QString &uri)
{
    return uri.startsWith(QLatin1String("archive://"));
}

bool isInTrash(const QString &uri)
{
    return uri.startsWith(QLatin1String("trash:///"));
}

} // namespace quil
