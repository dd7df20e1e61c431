#pragma once

#include <QObject>
#include <QStringList>

class QWidget;

namespace quil {

class Dialogs;
class MainList;
struct Services;

// Delete (SpeedButton9, F8, Delete): the marked entries or the current row's, after
// the warning with its "to the trash" box (in the trash itself: for good,
// after its own question); to the trash or for good through
// the file operation, then the tree node and the list read again with the
// row after the removed entries selected.
class DeleteCommand : public QObject
{
    Q_OBJECT
public:
    DeleteCommand(MainList &list, Services &services, QObject *parent = nullptr);

    // toTrash: whether the question's "to the trash" box starts ticked
    // (Shift+Delete asks it unticked).
    void run(bool toTrash = true);

    // The delete question for these sources (names: the last item of each),
    // its "to the trash" box ticked as toTrash says; on Yes the delete through the file
    // operation, to the trash or for good as the box says, and "Ошибка при
    // удалении" when it fails; on No "Удаление отменено"; closed by its
    // close box, nothing. True when everything was deleted.
    static bool confirmAndDelete(Dialogs &dialogs, const QStringList &paths, const QStringList &names, QWidget *owner,
                                 bool toTrash = true);

    // In the trash: the question whether to delete these items for good (one
    // named, several counted and listed); on Yes each deleted with its
    // content through the file operation, "Ошибка при удалении" when that
    // fails, "Удаление отменено" on No. True when everything was deleted.
    static bool confirmAndDeleteFromTrash(Dialogs &dialogs, const QStringList &paths, const QStringList &names,
                                          QWidget *owner);

private:
    MainList &m_list;
    Services &m_services;
};

} // namespace quil
