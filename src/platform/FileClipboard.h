#pragma once

#include <QString>
#include <QStringList>

class QMimeData;

namespace quil {

// Files on the clipboard, in the formats Linux file managers exchange:
// text/uri-list, x-special/gnome-copied-files ("copy" or "cut", then one URI
// a line) and plain text paths; KDE's cut mark is read too.
struct ClipboardFiles
{
    QStringList paths; // absolute; empty when the clipboard holds no files
    bool cut = false;  // a cut: the paste moves and then clears the clipboard
    // The URIs that name files of other machines (file://host/...): a paste
    // that holds any of them is refused whole.
    QStringList otherHosts;
    // The URIs of other schemes (sftp://, trash:///, http://): no local file.
    QStringList otherSchemes;

    bool isEmpty() const { return paths.isEmpty() && otherHosts.isEmpty() && otherSchemes.isEmpty(); }
};

// The clipboard contents for files. The caller owns the result.
QMimeData *mimeDataForFiles(const ClipboardFiles &files);
// The files of clipboard contents; none when they name no file.
ClipboardFiles filesOfMimeData(const QMimeData &data);

// The system clipboard, through the two above.
void putFilesOnClipboard(const ClipboardFiles &files);
ClipboardFiles filesOnClipboard();
void clearClipboard();

} // namespace quil
