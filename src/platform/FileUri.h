#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

namespace quil {

// The file a file URI names ("file:///tmp/a%20b", "file://localhost/tmp/x").
// Percent escapes are decoded into the system's bytes, so a name that is not
// UTF-8 ("%FF") arrives whole, as NativePath's text.
struct FileUriPath
{
    QString path;           // the local path; empty unless the URI names a file here
    bool otherHost = false; // a well-formed file URI naming another machine's file
};

// Only a URI without a host, with "localhost" or with this machine's host
// name names a local file; a file of another machine is never taken for the
// local file of the same path.
FileUriPath pathOfFileUri(QByteArrayView uri);

// Whether a URI's text begins with the file scheme ("file:", any case).
bool isFileUri(QByteArrayView text);

} // namespace quil
