#pragma once

#include <QString>

namespace quil {

class Dialogs;
class Launcher;

// Opens a file as Enter on its row and the context menu's "Открыть" do:
// with the default application of its type. Where that opens nothing (no
// application takes the type, or the one that does cannot start, such as a
// terminal program on a desktop without a terminal), the user is offered
// the "Открыть с помощью" choice (the type's applications, then every other
// installed one) or, where there is none, told so; a file of a GIO location
// (a URI) is only told so. True when an application was started. Raises
// OsError(ENOENT) for a missing local file.
bool openDocumentOrChoose(Dialogs &dialogs, Launcher &launcher, const QString &path);

} // namespace quil
