#pragma once

#include <QString>
#include <QStringList>

class QWidget;
struct TShellItem;

namespace quil {

class Dialogs;
class FolderListing;
class MainList;

// The list counts as focused while its own in-place editor holds the focus.
bool listHasFocus(const QWidget *list);

// The current row a copy, move or delete acts on: -1, after the message
// "Ничего не выбрано", unless the list has the focus and a current row.
int commandRow(const MainList &list, Dialogs &dialogs);

// What the engine gets for an entry: a file-system item's path, a GIO
// location item's URI (which the engine passes to GIO). A volume of
// the computer folder, or the computer folder, is no file: it gets its
// virtual name, which the engine refuses, so nothing on the volume is touched.
QString sourcePathOf(const TShellItem &entry);

// The sources of a copy, move or delete: every marked entry in list order,
// or the entry of the current row when none is marked.
struct CommandSources
{
    QStringList paths;
    QStringList names; // the last item of each path
    bool fromMarks = false;
};
CommandSources collectSources(const FolderListing &listing, int currentRow);

// The paths among sources that are files: a volume of the computer folder is
// none, and neither the clipboard nor a drag carries it.
QStringList fileSystemPaths(const QStringList &paths);

// The names of the sources, one per line (CR LF). At `limit` names the list
// stops with "..." and an empty line, even when that was the last source.
QString nameLines(const QStringList &names, int limit);

// The name of the entry in the row after `row`, or empty after the last row.
QString nameAfterRow(const FolderListing &listing, int row);

// Refuses a new name that isRefusedNewName rejects, for the item at path
// (the one renamed, or the one a new name would make): the file
// operation's error question with the system's "Invalid argument", asked
// once, since retrying the same name cannot succeed.
void refuseNewName(Dialogs &dialogs, const QString &path);

} // namespace quil
