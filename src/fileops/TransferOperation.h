#pragma once

#include <QString>
#include <QStringList>

class QWidget;

namespace quil {

class Dialogs;

// The copy or move (FO_COPY, FO_MOVE) of the main window's commands through
// the file operation, to the trash's undo rules (FOF_ALLOWUNDO). A skip the
// user chooses at the "target exists" question is a choice, not a failure:
// the transfer counts as done when such skips are all that kept it from
// being complete. A failure asked about (retry, skip, cancel), a refusal and
// a cancel still fail it. Blocks as ShellFileOperation does.
bool transferFiles(Dialogs &dialogs, const QStringList &sources, const QString &target, int operation, QWidget *owner);

} // namespace quil
