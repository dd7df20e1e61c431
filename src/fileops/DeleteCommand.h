#pragma once

#include <QObject>
#include <QStringList>

class QWidget;
class TForm1;

namespace quil {

class Dialogs;
struct Services;

// Delete (SpeedButton9, F8): the marked entries or the current row's, after
// the warning with its "to the trash" box; to the trash or for good through
// the file operation, then the tree node and the list read again with the
// row after the removed entries selected.
class DeleteCommand : public QObject
{
    Q_OBJECT
public:
    DeleteCommand(TForm1 &form, Services &services);

    void run();

    // The delete question for these sources (names: the last item of each),
    // its "to the trash" box ticked; on Yes the delete through the file
    // operation, to the trash or for good as the box says, and "Ошибка при
    // удалении" when it fails; on No "Удаление отменено"; closed by its
    // close box, nothing. True when everything was deleted.
    static bool confirmAndDelete(Dialogs &dialogs, const QStringList &paths, const QStringList &names, QWidget *owner);

private:
    TForm1 &m_form;
    Services &m_services;
};

} // namespace quil
